#pragma once

#include "evaluation.h"
#include "parse_tree.h"

// The one parse tree of the program, shared by every TBParser: each build of any component
// replaces it and each evaluation of any component starts from it. Until the first build it is
// an empty leaf, which evaluates to 0. The tree owns its nodes; replacing it releases the old
// nodes, and the last tree is released when the program ends. Nothing outside keeps a pointer
// into it across a replacement. One thread only.

[[nodiscard]] const Tree& RootTree();

// Takes over the tree's contents as the new shared tree and releases the previous nodes.
void ReplaceRootTree(Tree&& tree);

// The shared tree prepared for repeated evaluation; replaced together with the tree.
[[nodiscard]] const CompiledTree& CompiledRootTree();
