#pragma once
// The parse tree of an input-mask regular expression and the state graph it
// owns. A simple item owns one simple state (one character item); a group
// owns an entry and an exit block state, pass-through nodes that consume
// nothing. Linking turns the tree into the graph the automaton walks.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editors/regexpr_items.h"

class TlxRegExprSimpleState;

class TlxRegExprState {
 public:
  virtual ~TlxRegExprState();
  virtual std::unique_ptr<TlxRegExprState> Clone() const = 0;
  virtual TlxRegExprSimpleState* AsSimple() { return nullptr; }

  void AddSuccessor(TlxRegExprState* state) { successors_.push_back(state); }
  const std::vector<TlxRegExprState*>& Successors() const { return successors_; }

  // Visit mark of the automaton's walks, so each walk meets a state once.
  uint32_t mark = 0;

 private:
  std::vector<TlxRegExprState*> successors_;
};

class TlxRegExprSimpleState final : public TlxRegExprState {
 public:
  // The automaton's start state holds no item.
  explicit TlxRegExprSimpleState(std::unique_ptr<TlxRegExprItem> item) : item_(std::move(item)) {}
  std::unique_ptr<TlxRegExprState> Clone() const override;
  TlxRegExprSimpleState* AsSimple() override { return this; }

  bool Check(char16_t& c, bool case_insensitive) const {
    return item_ && item_->Check(c, case_insensitive);
  }
  const TlxRegExprItem* Item() const { return item_.get(); }
  bool Final() const { return final_; }
  void SetFinal() { final_ = true; }

  // The simple states reached through the successors and the pass-through
  // nodes, kept by the automaton once it has walked them (small ones only).
  enum class Closure : uint8_t { kUnknown, kKept, kTooLarge };
  Closure closure_kind = Closure::kUnknown;
  std::vector<TlxRegExprSimpleState*> closure;

 private:
  std::unique_ptr<TlxRegExprItem> item_;
  bool final_ = false;
};

class TlxRegExprBlockState final : public TlxRegExprState {
 public:
  std::unique_ptr<TlxRegExprState> Clone() const override;
};

class TlxRegExprParserItem {
 public:
  TlxRegExprParserItem();
  virtual ~TlxRegExprParserItem();

  virtual bool CanEmpty() const = 0;
  virtual std::unique_ptr<TlxRegExprParserItem> Clone() const = 0;
  virtual std::string Print() const = 0;
  virtual void SetFinal() = 0;
  virtual TlxRegExprState* Entry() = 0;
  virtual TlxRegExprState* Exit() = 0;
  // Links the inside of a group; nothing for a simple item.
  virtual void LinkInside() {}
  // States owned below this item, and the deepest nesting of groups.
  virtual size_t StateCount() const = 0;
  virtual size_t Depth() const = 0;
  virtual void CollectStates(std::vector<TlxRegExprState*>& states) = 0;

  bool CanMissing() const { return quantifier_->CanMissing(); }
  bool CanRepeat() const { return quantifier_->CanRepeat(); }
  bool NotQuantifier() const;
  // Replaces the quantifier; nullptr changes nothing.
  void SetQuantifier(std::unique_ptr<TlxRegExprQuantifier> quantifier);
  const TlxRegExprQuantifier& Quantifier() const { return *quantifier_; }

 private:
  std::unique_ptr<TlxRegExprQuantifier> quantifier_;
};

class TlxRegExprParserSimpleItem final : public TlxRegExprParserItem {
 public:
  explicit TlxRegExprParserSimpleItem(std::unique_ptr<TlxRegExprItem> item);
  bool CanEmpty() const override { return CanMissing(); }
  std::unique_ptr<TlxRegExprParserItem> Clone() const override;
  std::string Print() const override;
  void SetFinal() override { state_->SetFinal(); }
  TlxRegExprState* Entry() override { return state_.get(); }
  TlxRegExprState* Exit() override { return state_.get(); }
  size_t StateCount() const override { return 1; }
  size_t Depth() const override { return 0; }
  void CollectStates(std::vector<TlxRegExprState*>& states) override;

 private:
  std::unique_ptr<TlxRegExprSimpleState> state_;
};

class TlxRegExprParserAlt {
 public:
  void Add(std::unique_ptr<TlxRegExprParserItem> item) { items_.push_back(std::move(item)); }
  size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  TlxRegExprParserItem& Item(size_t index) { return *items_.at(index); }
  TlxRegExprParserItem& Last() { return *items_.back(); }
  // Hands the last item out, for wrapping or expanding it.
  std::unique_ptr<TlxRegExprParserItem> TakeLast();
  std::unique_ptr<TlxRegExprParserAlt> Clone() const;
  std::string Print() const;

  // Every item may be absent (true for an empty alternative).
  bool AllMayBeAbsent() const;
  bool AllCanEmpty() const;
  void FirstStates(std::vector<TlxRegExprState*>& states);
  void LastStates(std::vector<TlxRegExprState*>& states);
  void Link();
  void MarkFinal();
  size_t StateCount() const;
  size_t Depth() const;
  void CollectStates(std::vector<TlxRegExprState*>& states);

 private:
  std::vector<std::unique_ptr<TlxRegExprParserItem>> items_;
};

class TlxRegExprParserAlts {
 public:
  TlxRegExprParserAlt& Add();
  size_t Count() const { return alts_.size(); }
  TlxRegExprParserAlt& Item(size_t index) { return *alts_.at(index); }
  const TlxRegExprParserAlt& Item(size_t index) const { return *alts_.at(index); }
  void Append(std::unique_ptr<TlxRegExprParserAlt> alt) { alts_.push_back(std::move(alt)); }
  void Clear() { alts_.clear(); }

 private:
  std::vector<std::unique_ptr<TlxRegExprParserAlt>> alts_;
};

class TlxRegExprParserBlockItem final : public TlxRegExprParserItem {
 public:
  TlxRegExprParserBlockItem();
  bool CanEmpty() const override;
  std::unique_ptr<TlxRegExprParserItem> Clone() const override;
  std::string Print() const override;
  void SetFinal() override;
  TlxRegExprState* Entry() override { return entry_.get(); }
  TlxRegExprState* Exit() override { return exit_.get(); }
  void LinkInside() override;
  size_t StateCount() const override;
  size_t Depth() const override;
  void CollectStates(std::vector<TlxRegExprState*>& states) override;

  TlxRegExprParserAlts& Alts() { return alts_; }

 private:
  std::unique_ptr<TlxRegExprBlockState> entry_;
  std::unique_ptr<TlxRegExprBlockState> exit_;
  TlxRegExprParserAlts alts_;
};
