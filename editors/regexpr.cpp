#include "editors/regexpr.h"

#include <algorithm>

#include "editors/edit_strings.h"
#include "editors/regexpr_parser.h"
#include "editors/regexpr_text.h"
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
  current_.Add(start_.get());
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

void TlxRegExprAutomat::Push(TlxRegExprStates next) {
  history_.push_back(std::move(current_));
  current_ = std::move(next);
}

TlxRegExprStates TlxRegExprAutomat::TakeSpare() {
  if (spare_.empty())
    return TlxRegExprStates();
  TlxRegExprStates states = std::move(spare_.back());
  spare_.pop_back();
  states.Clear();
  return states;
}

void TlxRegExprAutomat::KeepSpare(TlxRegExprStates states) { spare_.push_back(std::move(states)); }

bool TlxRegExprAutomat::Next(char16_t& c, bool case_insensitive) {
  TlxRegExprStates next = TakeSpare();
  Advance(current_, &c, case_insensitive, next);
  if (next.Empty()) {
    KeepSpare(std::move(next));
    return false;
  }
  Push(std::move(next));
  return true;
}

bool TlxRegExprAutomat::Prev() {
  if (history_.empty())
    return false;
  KeepSpare(std::move(current_));
  current_ = std::move(history_.back());
  history_.pop_back();
  return true;
}

void TlxRegExprAutomat::Reset() {
  while (!history_.empty()) {
    KeepSpare(std::move(history_.back()));
    history_.pop_back();
  }
  current_.Clear();
  current_.Add(start_.get());
}

void TlxRegExprAutomat::AutoComplete() {
  // Sets come from the spare ones and go back there: taking fresh ones here
  // would let the spare list grow with every completion.
  while (!current_.IsFinal()) {
    TlxRegExprStates next = TakeSpare();
    Advance(current_, nullptr, false, next);
    char16_t c = 0;
    if (!next.IsSymbol(c)) {
      KeepSpare(std::move(next));
      return;
    }
    owner_.DoSymbolUpdate(c);
    Push(std::move(next));
  }
}

void TlxRegExprAutomat::RollBackForced() {
  char16_t c = 0;
  TlxRegExprStates next = TakeSpare();
  while (current_.IsSymbol(c) && !history_.empty()) {
    TlxRegExprStates& previous = history_.back();
    next.Clear();
    Advance(previous, nullptr, false, next);
    if (!next.IsSymbol(c) || previous.IsFinal())
      break;
    owner_.DoSymbolDelete();
    Prev();
  }
  KeepSpare(std::move(next));
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
