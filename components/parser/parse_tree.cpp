#include "parse_tree.h"

#include <vector>

#include "normalisation.h"

namespace {

constexpr int kParenthesisDepth = 16;

struct Binding {
    int compare;
    int stored;
};

bool BindingOf(char ch, Binding& binding) {
    switch (ch) {
        case '+':
            binding = {1, 2};
            return true;
        case '-':
            binding = {1, 1};
            return true;
        case '*':
        case '/':
        case 'm':
            binding = {2, 2};
            return true;
        case '^':
            binding = {4, 4};
            return true;
        case '#':
            binding = {8, 8};
            return true;
        default:
            return false;
    }
}

struct Range {
    size_t begin;
    size_t end;
    [[nodiscard]] size_t size() const { return end - begin; }
    [[nodiscard]] bool empty() const { return begin == end; }
};

struct Choice {
    size_t position = std::string_view::npos;
    int depth = 0;  // 0: outside all parentheses of the text
    [[nodiscard]] bool found() const { return position != std::string_view::npos; }
};

Choice ChooseOperator(std::string_view text) {
    Choice choice;
    int depth = 0;
    int best = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '(') {
            depth += kParenthesisDepth;
        } else if (ch == ')') {
            depth -= kParenthesisDepth;
        } else if (Binding binding; BindingOf(ch, binding)) {
            if (!choice.found() || depth + binding.compare < best) {
                choice = {i, depth};
                best = depth + binding.stored;
            }
        }
    }
    // A division chain is split at its first "/" and its rest evaluated as the divisor, which
    // is right for "/" and (after the rewriting) for "*" except when a factor is zero: 6/3*0
    // would become 6/(3/0). Splitting at the first "*" after the "/" keeps the left-to-right
    // value, (6/3)*0, and leaves only "/" in a chain that is split at its first "/".
    if (choice.found() && choice.depth == 0 && text[choice.position] == '/') {
        int inner = 0;
        for (size_t i = choice.position + 1; i < text.size(); ++i) {
            const char ch = text[i];
            if (ch == '(') {
                ++inner;
            } else if (ch == ')') {
                --inner;
            } else if (ch == '*' && inner == 0) {
                choice.position = i;
                break;
            }
        }
    }
    return choice;
}

// Swaps the operators of the chosen "-" or "/" class that follow it outside parentheses, so
// that the rest of the chain, which becomes the right operand, evaluates from left to right.
void RewriteChain(char* text, size_t size, const Choice& choice) {
    if (!choice.found() || choice.depth != 0) return;
    char first = 0;
    char second = 0;
    switch (text[choice.position]) {
        case '-':
            first = '+';
            second = '-';
            break;
        case '/':
            first = '*';
            second = '/';
            break;
        default:
            return;
    }
    int depth = 0;
    for (size_t i = choice.position + 1; i < size; ++i) {
        char& ch = text[i];
        if (ch == '(') {
            ++depth;
        } else if (ch == ')') {
            --depth;
        } else if (depth == 0) {
            if (ch == first) {
                ch = second;
            } else if (ch == second) {
                ch = first;
            }
        }
    }
}

Range WithoutEnclosingParentheses(std::string_view text, Range range) {
    if (range.size() < 2 || text[range.begin] != '(' || text[range.end - 1] != ')') return range;
    int depth = 0;
    for (size_t i = range.begin; i < range.end; ++i) {
        if (text[i] == '(') {
            if (depth == 0 && i != range.begin) return range;
            ++depth;
        } else if (text[i] == ')') {
            --depth;
        }
    }
    return {range.begin + 1, range.end - 1};
}

// IsZahl of a part of the text, without copying parts that are too long to be one operand.
bool IsOperand(std::string_view text) { return text.size() <= 32 && IsZahl(text); }

// Builds one text into a tree, one split at a time, with an explicit list of pending parts
// instead of recursion. All splits work in place on one copy of the text: a rewriting only
// ever touches the right part of its own split, which no other pending part overlaps.
class TreeBuilder {
public:
    TreeBuilder(std::string_view text, const BuildLimits& limits)
        : text_(text), budget_(limits.max_scanned_characters) {}

    bool Build(Tree& root) {
        pending_.push_back({&root, {0, text_.size()}, false});
        bool built = true;
        while (!pending_.empty()) {
            const Part part = pending_.back();
            pending_.pop_back();
            if (part.range.size() > budget_) {
                GiveUp(part);
                return false;
            }
            budget_ -= part.range.size();
            if (!Split(part)) built = false;
        }
        return built;
    }

private:
    struct Part {
        Tree* node;
        Range range;
        // A node created for this part holds the part's text until it is split, and keeps it
        // when the split fails; the root keeps whatever it held before.
        bool holds_text;
    };

    [[nodiscard]] std::string_view View(Range range) const {
        return std::string_view(text_).substr(range.begin, range.size());
    }

    bool Fail(const Part& part) {
        if (part.holds_text) part.node->NodeText = std::string(View(part.range));
        return false;
    }

    void GiveUp(const Part& first) {
        Fail(first);
        for (const Part& part : pending_) Fail(part);
        pending_.clear();
    }

    bool Split(const Part& part) {
        const std::string_view whole = View(part.range);
        const Choice choice = ChooseOperator(whole);
        if (!choice.found()) {
            if (!IsOperand(whole)) return Fail(part);
            part.node->NodeText = std::string(whole);
            return true;
        }
        const size_t position = part.range.begin + choice.position;
        const char op = text_[position];
        const Range left = WithoutEnclosingParentheses(text_, {part.range.begin, position});
        const Range right = WithoutEnclosingParentheses(text_, {position + 1, part.range.end});
        // A leading "-" is a subtraction from 0.
        const bool leading_sign = left.empty() && op == '-';
        // Checked before the rewriting (which changes operators only, never the parentheses
        // that decide the two sides), so that a part that cannot be split keeps its own text.
        if ((left.empty() && !leading_sign) || right.empty()) return Fail(part);
        RewriteChain(text_.data() + part.range.begin, part.range.size(), choice);

        part.node->NodeText.assign(1, op);
        part.node->LeftNode = std::make_unique<Tree>();
        part.node->RightNode = std::make_unique<Tree>();
        // The right part is pushed first so that the left one is split first.
        Attach(*part.node->RightNode, right);
        if (leading_sign) {
            part.node->LeftNode->NodeText.assign(1, '0');
        } else {
            Attach(*part.node->LeftNode, left);
        }
        return true;
    }

    void Attach(Tree& child, Range range) {
        const std::string_view text = View(range);
        if (IsOperand(text)) {
            child.NodeText = std::string(text);
        } else {
            pending_.push_back({&child, range, true});
        }
    }

    std::string text_;
    size_t budget_;
    std::vector<Part> pending_;
};

}  // namespace

Tree& Tree::operator=(Tree&& other) noexcept {
    if (this != &other) {
        Tree released(std::move(*this));
        NodeText = std::move(other.NodeText);
        RightNode = std::move(other.RightNode);
        LeftNode = std::move(other.LeftNode);
    }
    return *this;
}

Tree::~Tree() {
    // Each node's operands are moved out before the node goes, so no destructor below this one
    // ever has operands to release: the depth of the tree never reaches the call stack.
    std::vector<std::unique_ptr<Tree>> doomed;
    if (LeftNode) doomed.push_back(std::move(LeftNode));
    if (RightNode) doomed.push_back(std::move(RightNode));
    while (!doomed.empty()) {
        std::unique_ptr<Tree> node = std::move(doomed.back());
        doomed.pop_back();
        if (node->LeftNode) doomed.push_back(std::move(node->LeftNode));
        if (node->RightNode) doomed.push_back(std::move(node->RightNode));
    }
}

bool IsOperatorCode(char ch) {
    Binding binding;
    return BindingOf(ch, binding);
}

std::string EntferneKlammern(std::string_view text) {
    const Range range = WithoutEnclosingParentheses(text, {0, text.size()});
    return std::string(text.substr(range.begin, range.size()));
}

std::string Assiotiativitaet(std::string_view text) {
    std::string result(text);
    RewriteChain(result.data(), result.size(), ChooseOperator(result));
    return result;
}

void SplitLowest(std::string& left, std::string& right, std::string& op, std::string_view text) {
    std::string rewritten(text);
    const Choice choice = ChooseOperator(rewritten);
    if (!choice.found()) {
        left.clear();
        right.clear();
        op.clear();
        return;
    }
    RewriteChain(rewritten.data(), rewritten.size(), choice);
    op = std::string(1, rewritten[choice.position]);
    left = EntferneKlammern(std::string_view(rewritten).substr(0, choice.position));
    right = EntferneKlammern(std::string_view(rewritten).substr(choice.position + 1));
}

bool MakeTree(Tree& node, std::string_view text, const BuildLimits& limits) {
    TreeBuilder builder(text, limits);
    return builder.Build(node);
}
