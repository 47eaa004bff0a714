#include "editors/regexpr.h"

#include <algorithm>

#include "editors/edit_strings.h"
#include "editors/regexpr_parser.h"
#include "editors/regexpr_text.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/text.h"

bool TlxRegExprStates::IsFinal() const {
  return std::any_of(states_.begin(), states_.end(), [](const auto* s) { return s->Final(); });
}

bool TlxRegExprStates::IsSymbol(char16_t& c) const {
  if (states_.empty())
    return false;
  char16_t forced = 0;
  for (size_t i = 0; i < states_.size(); ++i) {
    const TlxRegExprItem* item = states_[i]->Item();
    char16_t symbol = 0;
    if (!item || !item->GetForcedSymbol(symbol))
      return false;
    if (i > 0 && symbol != forced)
      return false;
    forced = symbol;
  }
  c = forced;
  return true;
}

namespace {

size_t HashMembers(const TlxRegExprStates& states) {
  size_t hash = states.Count();
  for (auto it = states.Begin(); it != states.End(); ++it)
    hash = hash * 1000003u ^ std::hash<const void*>()(*it);
  return hash;
}

bool SameMembers(const TlxRegExprStates& a, const TlxRegExprStates& b) {
  return a.Count() == b.Count() && std::equal(a.Begin(), a.End(), b.Begin());
}

}  // namespace

TlxRegExprAutomat::TlxRegExprAutomat(TlxRegExpr& owner, std::unique_ptr<TlxRegExprParserAlts> tree)
    : owner_(owner), tree_(std::move(tree)), start_(std::make_unique<TlxRegExprSimpleState>(nullptr)) {
  std::vector<TlxRegExprState*> first;
  for (size_t i = 0; i < tree_->Count(); ++i) {
    TlxRegExprParserAlt& alt = tree_->Item(i);
    alt.Link();
    alt.FirstStates(first);
    alt.CollectStates(all_states_);
  }
  for (size_t i = 0; i < tree_->Count(); ++i) {
    TlxRegExprParserAlt& alt = tree_->Item(i);
    alt.MarkFinal();
    if (alt.AllMayBeAbsent())
      start_->SetFinal();
  }
  for (TlxRegExprState* state : first)
    start_->AddSuccessor(state);
  all_states_.push_back(start_.get());
  TlxRegExprStates start;
  start.Add(start_.get());
  current_ = Intern(start);
}

TlxRegExprAutomat::~TlxRegExprAutomat() = default;

uint32_t TlxRegExprAutomat::NewMark() {
  if (++mark_ == 0) {
    for (TlxRegExprState* state : all_states_)
      state->mark = 0;
    mark_ = 1;
  }
  return mark_;
}

void TlxRegExprAutomat::KeepClosure(TlxRegExprSimpleState& state) {
  // Bounds on one closure and on all of them, so that a pattern with a
  // great many states keeps memory in proportion to its size.
  constexpr size_t kLargestKept = 256;
  constexpr size_t kMostKept = 1 << 18;
  TlxRegExprStates reached;
  TlxRegExprStates single;
  single.Add(&state);
  Walk(single, nullptr, false, reached);
  if (reached.Count() > kLargestKept || kept_ + reached.Count() > kMostKept) {
    state.closure_kind = TlxRegExprSimpleState::Closure::kTooLarge;
    return;
  }
  kept_ += reached.Count();
  state.closure.assign(reached.Begin(), reached.End());
  state.closure_kind = TlxRegExprSimpleState::Closure::kKept;
}

void TlxRegExprAutomat::Advance(const TlxRegExprStates& from, char16_t* c, bool case_insensitive,
                                TlxRegExprStates& into) {
  bool all_kept = true;
  for (size_t i = 0; i < from.Count(); ++i) {
    TlxRegExprSimpleState& state = *from.Item(i);
    if (state.closure_kind == TlxRegExprSimpleState::Closure::kUnknown)
      KeepClosure(state);
    all_kept = all_kept && state.closure_kind == TlxRegExprSimpleState::Closure::kKept;
  }
  if (!all_kept)
    return Walk(from, c, case_insensitive, into);
  const uint32_t mark = NewMark();
  for (size_t i = 0; i < from.Count(); ++i) {
    for (TlxRegExprSimpleState* simple : from.Item(i)->closure) {
      if (simple->mark == mark)
        continue;
      simple->mark = mark;
      if (!c || simple->Check(*c, case_insensitive))
        into.Add(simple);
    }
  }
}

void TlxRegExprAutomat::Walk(const TlxRegExprStates& from, char16_t* c, bool case_insensitive,
                             TlxRegExprStates& into) {
  const uint32_t mark = NewMark();
  for (size_t i = 0; i < from.Count(); ++i) {
    const auto& successors = from.Item(i)->Successors();
    // Reversed onto the stack so that successors are met in list order.
    for (auto it = successors.rbegin(); it != successors.rend(); ++it)
      pending_.push_back(*it);
    while (!pending_.empty()) {
      TlxRegExprState* state = pending_.back();
      pending_.pop_back();
      if (state->mark == mark)
        continue;
      state->mark = mark;
      TlxRegExprSimpleState* simple = state->AsSimple();
      if (!simple) {
        const auto& next = state->Successors();
        for (auto it = next.rbegin(); it != next.rend(); ++it)
          if ((*it)->mark != mark)
            pending_.push_back(*it);
        continue;
      }
      if (!c || simple->Check(*c, case_insensitive))
        into.Add(simple);
    }
  }
}

int32_t TlxRegExprAutomat::Intern(const TlxRegExprStates& states) {
  if (states.Empty())
    return kDead;
  const size_t hash = HashMembers(states);
  const auto [first, last] = node_index_.equal_range(hash);
  for (auto it = first; it != last; ++it)
    if (SameMembers(nodes_[static_cast<size_t>(it->second)]->states, states))
      return it->second;
  auto node = std::make_unique<TNode>();
  for (auto it = states.Begin(); it != states.End(); ++it)
    node->states.Add(*it);
  node->hash = hash;
  node->final = states.IsFinal();
  node->generation = steps_generation_;
  const auto id = static_cast<int32_t>(nodes_.size());
  node_members_ += states.Count();
  nodes_.push_back(std::move(node));
  node_index_.emplace(hash, id);
  return id;
}

void TlxRegExprAutomat::CheckStepsValid(bool case_insensitive) {
  const void* locale = &UserLocale();
  if (locale == steps_locale_ && case_insensitive == steps_case_insensitive_)
    return;
  steps_locale_ = locale;
  steps_case_insensitive_ = case_insensitive;
  ++steps_generation_;
}

TlxRegExprAutomat::TNode& TlxRegExprAutomat::NodeWithValidSteps(int32_t node) {
  TNode& kept = *nodes_[static_cast<size_t>(node)];
  if (kept.generation != steps_generation_) {
    kept.generation = steps_generation_;
    kept.forced = TNode::Forced::kUnknown;
    if (kept.steps)
      std::fill_n(kept.steps.get(), kKeptSteps, TStep());
  }
  return kept;
}

int32_t TlxRegExprAutomat::Step(int32_t from, char16_t& c, bool case_insensitive) {
  CheckStepsValid(case_insensitive);
  // The node's step table lives on the heap: interning below may move the
  // list of nodes, never a table.
  TStep* kept = nullptr;
  if (c < kKeptSteps) {
    TNode& node = NodeWithValidSteps(from);
    if (!node.steps)
      node.steps = std::make_unique<TStep[]>(kKeptSteps);
    kept = &node.steps[c];
    if (kept->next != kUnknown) {
      c = kept->c;
      return kept->next;
    }
  }
  scratch_.Clear();
  Advance(nodes_[static_cast<size_t>(from)]->states, &c, case_insensitive, scratch_);
  const int32_t next = Intern(scratch_);
  if (kept)
    *kept = TStep{next, c};
  return next;
}

int32_t TlxRegExprAutomat::StepAny(int32_t from) {
  TNode& node = *nodes_[static_cast<size_t>(from)];
  if (node.any_next != kUnknown)
    return node.any_next;
  scratch_.Clear();
  Advance(node.states, nullptr, false, scratch_);
  const int32_t next = Intern(scratch_);
  nodes_[static_cast<size_t>(from)]->any_next = next;
  return next;
}

bool TlxRegExprAutomat::ForcedSymbol(int32_t node, char16_t& c) {
  if (node == kDead)
    return false;
  CheckStepsValid(steps_case_insensitive_);
  TNode& kept = NodeWithValidSteps(node);
  if (kept.forced == TNode::Forced::kUnknown) {
    char16_t symbol = 0;
    kept.forced = kept.states.IsSymbol(symbol) ? TNode::Forced::kSome : TNode::Forced::kNone;
    kept.forced_symbol = symbol;
  }
  c = kept.forced_symbol;
  return kept.forced == TNode::Forced::kSome;
}

void TlxRegExprAutomat::ForgetUnusedSets() {
  std::vector<int32_t> renumbered(nodes_.size(), kUnknown);
  std::vector<std::unique_ptr<TNode>> kept;
  auto keep = [&](int32_t& id) {
    int32_t& to = renumbered.at(static_cast<size_t>(id));
    if (to == kUnknown) {
      to = static_cast<int32_t>(kept.size());
      kept.push_back(std::move(nodes_[static_cast<size_t>(id)]));
    }
    id = to;
  };
  int32_t start = 0;
  keep(start);
  for (int32_t& id : history_)
    keep(id);
  keep(current_);
  nodes_ = std::move(kept);
  node_index_.clear();
  node_members_ = 0;
  for (size_t i = 0; i < nodes_.size(); ++i) {
    TNode& node = *nodes_[i];
    node.any_next = kUnknown;
    node.steps.reset();
    node.forced = TNode::Forced::kUnknown;
    node_index_.emplace(node.hash, static_cast<int32_t>(i));
    node_members_ += node.states.Count();
  }
  // The history alone may hold more than the bounds: forgetting again at
  // every step would cost in proportion to it each time.
  most_sets_ = std::max(kMostSets, 2 * nodes_.size());
  most_members_ = std::max(kMostMembers, 2 * node_members_);
}

void TlxRegExprAutomat::Push(int32_t next) {
  history_.push_back(current_);
  current_ = next;
}

bool TlxRegExprAutomat::Next(char16_t& c, bool case_insensitive) {
  const int32_t next = Step(current_, c, case_insensitive);
  if (next == kDead)
    return false;
  Push(next);
  ForgetUnusedSetsIfMany();
  return true;
}

bool TlxRegExprAutomat::Prev() {
  if (history_.empty())
    return false;
  current_ = history_.back();
  history_.pop_back();
  return true;
}

void TlxRegExprAutomat::Reset() {
  history_.clear();
  current_ = 0;
  most_sets_ = kMostSets;
  most_members_ = kMostMembers;
  ForgetUnusedSetsIfMany();
}

void TlxRegExprAutomat::AutoComplete() {
  while (!IsFinal()) {
    const int32_t next = StepAny(current_);
    char16_t c = 0;
    if (!ForcedSymbol(next, c))
      return;
    owner_.DoSymbolUpdate(c);
    Push(next);
    ForgetUnusedSetsIfMany();
  }
}

void TlxRegExprAutomat::RollBackForced() {
  char16_t c = 0;
  while (ForcedSymbol(current_, c) && !history_.empty()) {
    const int32_t previous = history_.back();
    if (!ForcedSymbol(StepAny(previous), c) || nodes_[static_cast<size_t>(previous)]->final)
      break;
    owner_.DoSymbolDelete();
    Prev();
  }
}

TlxRegExpr::TlxRegExpr() = default;

TlxRegExpr::~TlxRegExpr() = default;

void TlxRegExpr::Clear() {
  automat_.reset();
  source_.clear();
  errors_.Clear();
  lexems_.Clear();
  compiled_ = false;
}

void TlxRegExpr::Fail() { throw ElxRegExprError(errors_); }

void TlxRegExpr::Compile(TStream* stream) {
  Clear();
  std::string pattern;
  try {
    if (!stream)
      throw ElxEditError("");
    const int64_t size = stream->Size();
    stream->SetPosition(0);
    pattern.resize(static_cast<size_t>(size));
    if (size > 0)
      stream->ReadBuffer(pattern.data(), size);
  } catch (const Exception&) {
    errors_.Add(0, 0, lxEditResString(slxRegExprNotAssignedSourceStream));
    Fail();
  }
  Compile(pattern);
}

void TlxRegExpr::Compile(std::string_view pattern) {
  Clear();
  const std::u16string source = Utf8ToUtf16(pattern);
  if (std::all_of(source.begin(), source.end(), lxRegExprIsBlank)) {
    errors_.Add(0, 0, lxEditResString(slxRegExprEmptySourceStream));
    Fail();
  }
  lxRegExprLex(source, lexems_, errors_);
  if (errors_.Count() > 0)
    Fail();
  std::unique_ptr<TlxRegExprParserAlts> tree = lxRegExprParse(lexems_, errors_);
  if (!tree)
    Fail();
  automat_ = std::make_unique<TlxRegExprAutomat>(*this, std::move(tree));
  source_ = std::string(pattern);
  compiled_ = true;
  if (update_on_)
    automat_->AutoComplete();
}

void TlxRegExpr::CheckCompiled() const {
  if (!compiled_)
    throw ElxEditError(lxEditResString(slxRegExprNotCompiled));
}

TlxRegExprAutomat& TlxRegExpr::Automat() const {
  CheckCompiled();
  return *automat_;
}

bool TlxRegExpr::Next(char16_t& c) {
  TlxRegExprAutomat& automat = Automat();
  if (!automat.Next(c, CaseInsensitive))
    return false;
  if (update_on_ && !automat.IsFinal())
    automat.AutoComplete();
  return true;
}

std::u16string TlxRegExpr::NextEx(std::u16string_view text) {
  TlxRegExprAutomat& automat = Automat();
  std::u16string accepted;
  for (char16_t c : text) {
    char16_t tested = c;
    if (automat.Next(tested, CaseInsensitive))
      accepted += c;
  }
  return accepted;
}

bool TlxRegExpr::Prev() {
  TlxRegExprAutomat& automat = Automat();
  if (update_on_)
    automat.RollBackForced();
  return automat.Prev();
}

void TlxRegExpr::Reset() { Automat().Reset(); }

bool TlxRegExpr::IsFinal() const { return Automat().IsFinal(); }

bool TlxRegExpr::IsStart() const { return Automat().IsStart(); }

void TlxRegExpr::SetUpdateOn(bool value, bool complete_now) {
  update_on_ = value;
  if (update_on_ && compiled_ && complete_now)
    automat_->AutoComplete();
}

void TlxRegExpr::DoSymbolDelete() {
  if (OnSymbolDelete)
    OnSymbolDelete();
}

void TlxRegExpr::DoSymbolUpdate(char16_t c) {
  if (OnSymbolUpdate)
    OnSymbolUpdate(c);
}
