#include "shared_tree.h"

namespace {

struct SharedTree {
    Tree root;
    CompiledTree compiled{root};
};

SharedTree& Shared() {
    static SharedTree shared;
    return shared;
}

}  // namespace

const Tree& RootTree() { return Shared().root; }

void ReplaceRootTree(Tree&& tree) {
    SharedTree& shared = Shared();
    CompiledTree compiled(tree);
    shared.root = std::move(tree);
    shared.compiled = std::move(compiled);
}

const CompiledTree& CompiledRootTree() { return Shared().compiled; }
