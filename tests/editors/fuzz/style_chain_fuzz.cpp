// Style controllers assigned in any order, as a form description may read
// them: the cycle check keeps every controller chain finite, and a value
// resolves to the first style on the chain that holds it, as a plain walk
// finds it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editors/container_style_rules.h"

namespace {

constexpr int kControllers = 6;

struct Controller;

// A controller's style of one state; state 0 is the normal (master) style.
struct Style : IlxStyleChainLink {
  Controller* owner = nullptr;
  int state = 0;
  uint32_t assigned = 0;
  bool HoldsValue(TlxContainerStyleValue value) const override { return (assigned >> value & 1u) != 0; }
  const IlxStyleChainLink* ControllerStateStyle() const override;
};

struct Controller : IlxStyleControllerLink {
  std::array<Style, kLxContainerStateCount> styles;
  Controller* follows = nullptr;  // the controller the normal style follows
  const void* NormalStyleIdentity() const override { return &styles[0]; }
  const IlxStyleControllerLink* NormalStyleController() const override { return follows; }
};

const IlxStyleChainLink* Style::ControllerStateStyle() const {
  Controller* next = owner->follows;
  return next == nullptr ? nullptr : &next->styles[static_cast<size_t>(state)];
}

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// Steps until the chain from `start` ends; more steps than controllers is a cycle.
int ChainLength(const Controller* start) {
  int steps = 0;
  for (const Controller* c = start; c != nullptr; c = c->follows)
    if (++steps > kControllers)
      return -1;
  return steps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::array<Controller, kControllers> controllers;
  for (Controller& controller : controllers)
    for (int state = 0; state < kLxContainerStateCount; ++state) {
      controller.styles[static_cast<size_t>(state)].owner = &controller;
      controller.styles[static_cast<size_t>(state)].state = state;
    }

  for (size_t i = 0; i + 1 < size; i += 2) {
    const uint8_t op = data[i];
    const uint8_t arg = data[i + 1];
    Controller& subject = controllers[op % kControllers];
    if ((op & 0x80) != 0) {
      // Assign (or clear) a value on one of the subject's styles.
      Style& style = subject.styles[(op >> 3) % kLxContainerStateCount];
      style.assigned ^= 1u << (arg % 16);
      continue;
    }
    // Follow another controller, or none, unless that leads back here.
    Controller* target = arg % (kControllers + 1) == kControllers ? nullptr : &controllers[arg % (kControllers + 1)];
    if (target != nullptr && lxControllerChainLeadsTo(target, &subject.styles[0]))
      continue;
    subject.follows = target;
    for (const Controller& controller : controllers)
      if (ChainLength(&controller) < 0)
        Fail("an accepted controller closed a cycle");
  }

  for (const Controller& controller : controllers) {
    for (const Style& style : controller.styles) {
      for (TlxContainerStyleValue value = 0; value < 16; ++value) {
        const IlxStyleChainLink* expected = nullptr;
        for (const IlxStyleChainLink* link = &style; link != nullptr; link = link->ControllerStateStyle())
          if (link->HoldsValue(value)) {
            expected = link;
            break;
          }
        if (lxFindStyleValueHolder(&style, value) != expected)
          Fail("the holder differs from the plain walk");
      }
    }
  }
  return 0;
}
