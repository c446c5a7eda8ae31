#include "plat/TreeNode.h"

#include "plat/PreferencesImp.h"

namespace plat {

// "this" is the node already in the tree; "node" is linked relative to it.

TreeNode::~TreeNode() {
    DestroySubtree();
    Unlink();
}

void TreeNode::SetImp(std::unique_ptr<PreferencesImp> imp) {
    imp_ = std::move(imp);
}

void TreeNode::InsertAfter(TreeNode* node) {
    node->Unlink();
    node->parent_ = parent_;
    node->previous_ = this;
    node->next_ = next_;
    if (next_ != nullptr) {
        next_->previous_ = node;
    }
    next_ = node;
}

void TreeNode::InsertBefore(TreeNode* node) {
    node->Unlink();
    node->parent_ = parent_;
    node->next_ = this;
    node->previous_ = previous_;
    if (previous_ != nullptr) {
        previous_->next_ = node;
    } else if (parent_ != nullptr) {
        parent_->firstChild_ = node;
    }
    previous_ = node;
}

void TreeNode::AppendSibling(TreeNode* node) {
    TreeNode* last = this;
    while (last->next_ != nullptr) {
        last = last->next_;
    }
    last->InsertAfter(node);
}

void TreeNode::AddFirstChild(TreeNode* node) {
    if (firstChild_ != nullptr) {
        firstChild_->InsertBefore(node);
        return;
    }
    node->Unlink();
    node->parent_ = this;
    firstChild_ = node;
}

void TreeNode::AddChild(TreeNode* node) {
    if (firstChild_ != nullptr) {
        firstChild_->AppendSibling(node);
    } else {
        AddFirstChild(node);
    }
}

void TreeNode::Insert(TreeNode* node, int position) {
    switch (position) {
    case After:
        InsertAfter(node);
        break;
    case Before:
        InsertBefore(node);
        break;
    case FirstChild:
        AddFirstChild(node);
        break;
    case Child:
        AddChild(node);
        break;
    default:
        break;
    }
}

void TreeNode::Unlink() {
    if (previous_ != nullptr) {
        previous_->next_ = next_;
    } else if (parent_ != nullptr && parent_->firstChild_ == this) {
        parent_->firstChild_ = next_;
    }
    if (next_ != nullptr) {
        next_->previous_ = previous_;
    }
    parent_ = nullptr;
    next_ = nullptr;
    previous_ = nullptr;
}

void TreeNode::DestroySubtree() {
    while (firstChild_ != nullptr) {
        delete firstChild_; // its destructor unlinks it
    }
    imp_.reset();
}

void TreeNode::MoveLinksTo(TreeNode* node) {
    node->Unlink();
    node->parent_ = parent_;
    node->previous_ = previous_;
    node->next_ = next_;
    node->firstChild_ = firstChild_;
    if (previous_ != nullptr) {
        previous_->next_ = node;
    } else if (parent_ != nullptr && parent_->firstChild_ == this) {
        parent_->firstChild_ = node;
    }
    if (next_ != nullptr) {
        next_->previous_ = node;
    }
    for (TreeNode* child = firstChild_; child != nullptr; child = child->next_) {
        child->parent_ = node;
    }
    parent_ = nullptr;
    previous_ = nullptr;
    next_ = nullptr;
    firstChild_ = nullptr;
}

} // namespace plat
