#pragma once
// The regular-expression engine behind the input masks. It is not a search
// engine: it compiles a pattern once and then follows the user's keystrokes
// one UTF-16 unit at a time, so that an editor can refuse a character that
// can no longer lead to a match, supply the characters the pattern forces,
// and tell whether the text so far is complete.
//
// Patterns are UTF-8. Blanks outside quotes are ignored, "/" and ":" stand
// for the locale's date and time separators, and "\1".."\9" repeat the
// pattern of a group, not the text it matched.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "editors/regexpr_errors.h"
#include "editors/regexpr_lexer.h"
#include "editors/regexpr_parse_tree.h"

class TlxRegExpr;
class TStream;

// An ordered list of simple states; owns none of them.
class TlxRegExprStates {
 public:
  void Add(TlxRegExprSimpleState* state) { states_.push_back(state); }
  void Clear() { states_.clear(); }
  size_t Count() const { return states_.size(); }
  bool Empty() const { return states_.empty(); }
  TlxRegExprSimpleState* Item(size_t index) const { return states_.at(index); }
  bool IsFinal() const;
  // Every member needs the same literal or separator: the forced character.
  bool IsSymbol(char16_t& c) const;
  void Swap(TlxRegExprStates& other) { states_.swap(other.states_); }
  auto Begin() const { return states_.begin(); }
  auto End() const { return states_.end(); }

 private:
  std::vector<TlxRegExprSimpleState*> states_;
};

// Walks the state graph: a current set and the history of earlier sets. The
// sets are kept free of duplicates, so a pattern such as "(a|a)*" does not
// double its set at every character.
//
// Every set met is kept once, numbered, with the steps already taken from it
// (a lazily built deterministic automaton): typing the same kind of text
// again costs a table look-up per character. A step's answer depends on the
// locale's separators and on case folding, so the kept steps are dropped
// when either changes; the sets themselves depend on neither.
class TlxRegExprAutomat {
 public:
  TlxRegExprAutomat(TlxRegExpr& owner, std::unique_ptr<TlxRegExprParserAlts> tree);
  ~TlxRegExprAutomat();

  bool Next(char16_t& c, bool case_insensitive);
  bool Prev();
  void Reset();
  bool IsFinal() const { return nodes_[current_]->final; }
  bool IsStart() const { return history_.empty(); }
  void AutoComplete();
  void RollBackForced();
  const TlxRegExprStates& Current() const { return nodes_[current_]->states; }

 private:
  struct TStep {
    int32_t next = kUnknown;
    char16_t c = 0;
  };
  static constexpr int32_t kUnknown = -1;
  static constexpr int32_t kDead = -2;
  // Steps on characters below this one are kept.
  static constexpr char16_t kKeptSteps = 128;
  // One kept set and the steps taken from it.
  struct TNode {
    TlxRegExprStates states;
    size_t hash = 0;
    bool final = false;
    // The kept steps, valid while `generation` is the automaton's.
    uint32_t generation = 0;
    int32_t any_next = kUnknown;
    enum class Forced : uint8_t { kUnknown, kNone, kSome } forced = Forced::kUnknown;
    char16_t forced_symbol = 0;
    std::unique_ptr<TStep[]> steps;
  };

  // The simple states reachable from `from` through pass-through nodes;
  // with `c`, only those accepting it.
  void Advance(const TlxRegExprStates& from, char16_t* c, bool case_insensitive,
               TlxRegExprStates& into);
  // The same through the graph itself, without the kept closures.
  void Walk(const TlxRegExprStates& from, char16_t* c, bool case_insensitive, TlxRegExprStates& into);
  void KeepClosure(TlxRegExprSimpleState& state);
  uint32_t NewMark();

  // The number of the set, kept from now on when new; kDead when empty.
  int32_t Intern(const TlxRegExprStates& states);
  // The set after `c` from set `from`, kDead when none accepts it.
  int32_t Step(int32_t from, char16_t& c, bool case_insensitive);
  // The set of every state that may follow, whatever the character.
  int32_t StepAny(int32_t from);
  // The one character every member of the set needs, if there is one.
  bool ForcedSymbol(int32_t node, char16_t& c);
  // Drops the kept steps when the locale or case folding changed.
  void CheckStepsValid(bool case_insensitive);
  TNode& NodeWithValidSteps(int32_t node);
  // Keeps memory in proportion to the pattern: beyond a bound the sets no
  // longer in use are forgotten.
  void ForgetUnusedSetsIfMany() {
    if (nodes_.size() > most_sets_ || node_members_ > most_members_)
      ForgetUnusedSets();
  }
  void ForgetUnusedSets();
  void Push(int32_t next);

  TlxRegExpr& owner_;
  std::vector<int32_t> history_;
  int32_t current_ = 0;
  std::vector<std::unique_ptr<TNode>> nodes_;
  // The sets by a hash of their members, for Intern.
  std::unordered_multimap<size_t, int32_t> node_index_;
  size_t node_members_ = 0;
  // Bounds on the sets kept, so that a pattern with a great many sets keeps
  // memory in proportion to its size and to the history.
  static constexpr size_t kMostSets = 4096;
  static constexpr size_t kMostMembers = 1 << 18;
  size_t most_sets_ = kMostSets;
  size_t most_members_ = kMostMembers;
  uint32_t steps_generation_ = 1;
  const void* steps_locale_ = nullptr;
  bool steps_case_insensitive_ = false;
  TlxRegExprStates scratch_;
  std::unique_ptr<TlxRegExprParserAlts> tree_;
  std::unique_ptr<TlxRegExprSimpleState> start_;
  std::vector<TlxRegExprState*> all_states_;
  std::vector<TlxRegExprState*> pending_;
  uint32_t mark_ = 0;
  size_t kept_ = 0;
};

class TlxRegExpr {
 public:
  TlxRegExpr();
  ~TlxRegExpr();
  TlxRegExpr(const TlxRegExpr&) = delete;
  TlxRegExpr& operator=(const TlxRegExpr&) = delete;

  // Compiles or raises ElxRegExprError; the errors stay readable until the
  // next compile.
  void Compile(std::string_view pattern);
  // The pattern read from a stream (UTF-8); a missing or unreadable stream
  // is a compile error.
  void Compile(TStream* stream);
  void Clear();

  bool GetCompiled() const { return compiled_; }
  // The pattern while compiled, else empty.
  const std::string& GetSource() const { return source_; }
  const TlxRegExprErrors& Errors() const { return errors_; }
  const TlxLexems& Lexems() const { return lexems_; }

  bool Next(char16_t& c);
  std::u16string NextEx(std::u16string_view text);
  bool Prev();
  void Reset();
  bool IsFinal() const;
  bool IsStart() const;

  bool UpdateOn() const { return update_on_; }
  // Switching auto-completion on completes the forced characters at once,
  // unless `complete_now` is false (the caller stands where it already
  // completed, or wants the characters where they are).
  void SetUpdateOn(bool value, bool complete_now = true);

  bool CaseInsensitive = false;
  // The engine moved past a forced character (append it) or stepped back
  // over one (remove it from the end).
  std::function<void()> OnSymbolDelete;
  std::function<void(char16_t c)> OnSymbolUpdate;

  void DoSymbolDelete();
  void DoSymbolUpdate(char16_t c);

 private:
  [[noreturn]] void Fail();
  void CheckCompiled() const;
  TlxRegExprAutomat& Automat() const;

  std::unique_ptr<TlxRegExprAutomat> automat_;
  bool compiled_ = false;
  TlxRegExprErrors errors_;
  TlxLexems lexems_;
  std::string source_;
  bool update_on_ = false;
};
