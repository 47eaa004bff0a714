#include "editors/regexpr_parse_tree.h"

#include <algorithm>

TlxRegExprState::~TlxRegExprState() = default;

std::unique_ptr<TlxRegExprState> TlxRegExprSimpleState::Clone() const {
  return std::make_unique<TlxRegExprSimpleState>(item_ ? item_->Clone() : nullptr);
}

std::unique_ptr<TlxRegExprState> TlxRegExprBlockState::Clone() const {
  return std::make_unique<TlxRegExprBlockState>();
}

TlxRegExprParserItem::TlxRegExprParserItem()
    : quantifier_(std::make_unique<TlxRegExprSimpleQuantifier>()) {}

TlxRegExprParserItem::~TlxRegExprParserItem() = default;

bool TlxRegExprParserItem::NotQuantifier() const {
  return dynamic_cast<const TlxRegExprSimpleQuantifier*>(quantifier_.get()) != nullptr;
}

void TlxRegExprParserItem::SetQuantifier(std::unique_ptr<TlxRegExprQuantifier> quantifier) {
  if (quantifier)
    quantifier_ = std::move(quantifier);
}

TlxRegExprParserSimpleItem::TlxRegExprParserSimpleItem(std::unique_ptr<TlxRegExprItem> item)
    : state_(std::make_unique<TlxRegExprSimpleState>(std::move(item))) {}

std::unique_ptr<TlxRegExprParserItem> TlxRegExprParserSimpleItem::Clone() const {
  auto copy = std::make_unique<TlxRegExprParserSimpleItem>(
      state_->Item() ? state_->Item()->Clone() : nullptr);
  copy->SetQuantifier(Quantifier().Clone());
  return copy;
}

std::string TlxRegExprParserSimpleItem::Print() const {
  return "item --> " + Quantifier().Print() + "\n";
}

void TlxRegExprParserSimpleItem::CollectStates(std::vector<TlxRegExprState*>& states) {
  states.push_back(state_.get());
}

std::unique_ptr<TlxRegExprParserItem> TlxRegExprParserAlt::TakeLast() {
  auto last = std::move(items_.back());
  items_.pop_back();
  return last;
}

std::unique_ptr<TlxRegExprParserAlt> TlxRegExprParserAlt::Clone() const {
  auto copy = std::make_unique<TlxRegExprParserAlt>();
  for (const auto& item : items_)
    copy->Add(item->Clone());
  return copy;
}

std::string TlxRegExprParserAlt::Print() const {
  std::string text = "<Start_Alt>\n";
  for (const auto& item : items_)
    text += item->Print();
  return text + "<Finish_Alt>\n";
}

bool TlxRegExprParserAlt::AllMayBeAbsent() const {
  return std::all_of(items_.begin(), items_.end(), [](const auto& item) { return item->CanMissing(); });
}

bool TlxRegExprParserAlt::AllCanEmpty() const {
  return std::all_of(items_.begin(), items_.end(), [](const auto& item) { return item->CanEmpty(); });
}

void TlxRegExprParserAlt::FirstStates(std::vector<TlxRegExprState*>& states) {
  for (auto& item : items_) {
    states.push_back(item->Entry());
    if (!item->CanMissing())
      return;
  }
}

void TlxRegExprParserAlt::LastStates(std::vector<TlxRegExprState*>& states) {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    states.push_back((*it)->Exit());
    if (!(*it)->CanMissing())
      return;
  }
}

void TlxRegExprParserAlt::Link() {
  for (size_t i = 0; i < items_.size(); ++i) {
    TlxRegExprParserItem& item = *items_[i];
    for (size_t j = i + 1; j < items_.size(); ++j) {
      item.Exit()->AddSuccessor(items_[j]->Entry());
      if (!items_[j]->CanMissing())
        break;
    }
    if (item.CanRepeat())
      item.Exit()->AddSuccessor(item.Entry());
    item.LinkInside();
  }
}

void TlxRegExprParserAlt::MarkFinal() {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    (*it)->SetFinal();
    if (!(*it)->CanMissing())
      return;
  }
}

size_t TlxRegExprParserAlt::StateCount() const {
  size_t count = 0;
  for (const auto& item : items_)
    count += item->StateCount();
  return count;
}

size_t TlxRegExprParserAlt::Depth() const {
  size_t depth = 0;
  for (const auto& item : items_)
    depth = std::max(depth, item->Depth());
  return depth;
}

void TlxRegExprParserAlt::CollectStates(std::vector<TlxRegExprState*>& states) {
  for (auto& item : items_)
    item->CollectStates(states);
}

TlxRegExprParserAlt& TlxRegExprParserAlts::Add() {
  alts_.push_back(std::make_unique<TlxRegExprParserAlt>());
  return *alts_.back();
}

TlxRegExprParserBlockItem::TlxRegExprParserBlockItem()
    : entry_(std::make_unique<TlxRegExprBlockState>()),
      exit_(std::make_unique<TlxRegExprBlockState>()) {}

bool TlxRegExprParserBlockItem::CanEmpty() const {
  if (CanMissing())
    return true;
  for (size_t i = 0; i < alts_.Count(); ++i)
    if (alts_.Item(i).AllCanEmpty())
      return true;
  return false;
}

std::unique_ptr<TlxRegExprParserItem> TlxRegExprParserBlockItem::Clone() const {
  auto copy = std::make_unique<TlxRegExprParserBlockItem>();
  for (size_t i = 0; i < alts_.Count(); ++i)
    copy->alts_.Append(alts_.Item(i).Clone());
  copy->SetQuantifier(Quantifier().Clone());
  return copy;
}

std::string TlxRegExprParserBlockItem::Print() const {
  std::string text = "<Start_Block>\n";
  for (size_t i = 0; i < alts_.Count(); ++i)
    text += alts_.Item(i).Print();
  return text + "<Finish_Block> --> " + Quantifier().Print() + "\n";
}

void TlxRegExprParserBlockItem::SetFinal() {
  for (size_t i = 0; i < alts_.Count(); ++i)
    alts_.Item(i).MarkFinal();
}

void TlxRegExprParserBlockItem::LinkInside() {
  std::vector<TlxRegExprState*> states;
  bool entry_reaches_exit = false;
  for (size_t i = 0; i < alts_.Count(); ++i) {
    TlxRegExprParserAlt& alt = alts_.Item(i);
    states.clear();
    alt.FirstStates(states);
    for (TlxRegExprState* state : states)
      entry_->AddSuccessor(state);
    entry_reaches_exit = entry_reaches_exit || alt.AllMayBeAbsent();
  }
  if (entry_reaches_exit)
    entry_->AddSuccessor(exit_.get());
  for (size_t i = 0; i < alts_.Count(); ++i) {
    TlxRegExprParserAlt& alt = alts_.Item(i);
    alt.Link();
    states.clear();
    alt.LastStates(states);
    for (TlxRegExprState* state : states)
      state->AddSuccessor(exit_.get());
  }
}

size_t TlxRegExprParserBlockItem::StateCount() const {
  size_t count = 2;
  for (size_t i = 0; i < alts_.Count(); ++i)
    count += alts_.Item(i).StateCount();
  return count;
}

size_t TlxRegExprParserBlockItem::Depth() const {
  size_t depth = 0;
  for (size_t i = 0; i < alts_.Count(); ++i)
    depth = std::max(depth, alts_.Item(i).Depth());
  return depth + 1;
}

void TlxRegExprParserBlockItem::CollectStates(std::vector<TlxRegExprState*>& states) {
  states.push_back(entry_.get());
  states.push_back(exit_.get());
  for (size_t i = 0; i < alts_.Count(); ++i)
    alts_.Item(i).CollectStates(states);
}
