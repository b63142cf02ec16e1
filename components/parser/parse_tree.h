#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// The parse tree of the expression evaluator and the rules that build it.
//
// A text is split at the operator that binds least; the operator becomes the node and the
// texts on either side become its operands, split again until every leaf is a single operand
// (IsZahl). Operator codes and their binding (compare value / stored value): "+" 1/2, "-" 1/1,
// "*" "/" "m" 2/2, "^" 4/4, "#" 8/8 (function application: left operand the function code,
// right operand the argument). Each "(" adds 16 to the depth and each ")" takes 16 away.
// Scanning from the left, an operator is chosen when none is yet or when depth + compare value
// is below the best value so far, which then becomes depth + stored value. So outside
// parentheses "+" and "-" split before "*", "/", "m", these before "^", and "^" before "#"; the
// first "-" wins over every "+", the last "+" wins among "+" alone, and otherwise the first
// operator of a class wins.
//
// Chains of "-" and "/" are split at their first operator, so the rest of the chain becomes
// the right operand; Assiotiativitaet rewrites that rest ("1-2+3" -> "1-2-3" gives 1-(2-3),
// "8/2/2" -> "8/2*2" gives 8/(2*2)) so that the chain still evaluates from left to right.
// A product in which a "*" follows the "/" chosen for the split is split at that "*" instead:
// "6/3*0" is (6/3)*0, never 6/(3/0), so that a zero factor gives 0 and not a division by zero.

// One node. An inner node holds an operator code and has both operands; a leaf holds an
// operand text (after a failed build: any text that could not be split) and has none.
// Releasing a node releases its whole subtree, without recursion, so trees of any depth can
// be released safely.
struct Tree {
    std::string NodeText;
    std::unique_ptr<Tree> RightNode;
    std::unique_ptr<Tree> LeftNode;

    Tree() = default;
    explicit Tree(std::string text) : NodeText(std::move(text)) {}
    Tree(Tree&&) noexcept = default;
    Tree& operator=(Tree&& other) noexcept;
    ~Tree();

    [[nodiscard]] bool IsLeaf() const { return !LeftNode && !RightNode; }
};

// True for the seven operator characters "+", "-", "*", "/", "m", "^", "#".
[[nodiscard]] bool IsOperatorCode(char ch);

// Removes one pair of parentheses enclosing the whole text: "((a))" -> "(a)", "()" -> "";
// "(a)+(b)" stays, because its first "(" closes before the end.
[[nodiscard]] std::string EntferneKlammern(std::string_view text);

// The text rewritten for a split on its first "-" or "/" outside parentheses: every later "+"
// and "-" (or "*" and "/") outside parentheses is swapped. Any other text comes back unchanged.
[[nodiscard]] std::string Assiotiativitaet(std::string_view text);

// Splits text at its least binding operator (after Assiotiativitaet) and removes one enclosing
// pair of parentheses from each side. Without any operator all three outputs are empty.
void SplitLowest(std::string& left, std::string& right, std::string& op, std::string_view text);

// Limits of one build. A build that would need more work than this returns false instead of
// taking unbounded time; the tree it leaves is well formed.
struct BuildLimits {
    // Characters examined by all splits together (each split looks at its whole text).
    std::size_t max_scanned_characters = 100'000'000;
};

// Builds text into node: true when every part of it was split into single operands. On
// failure every part that could not be split keeps its text as a leaf, and node itself keeps
// its previous content when text has no operator or lacks an operand. Iterative, so any
// nesting depth is safe.
[[nodiscard]] bool MakeTree(Tree& node, std::string_view text, const BuildLimits& limits = {});
