#pragma once

#include "plat/String.h"

#include <memory>

namespace plat {

class PreferencesImp;

// A named node of a tree with its own back-end.
class TreeNode {
public:
    explicit TreeNode(const char* name) : name_(name) {}
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;
    virtual ~TreeNode(); // slot 0

    virtual void InsertAfter(TreeNode* node);   // slot 1
    virtual void InsertBefore(TreeNode* node);  // slot 2
    virtual void AppendSibling(TreeNode* node); // slot 3
    virtual void AddFirstChild(TreeNode* node); // slot 4
    virtual void AddChild(TreeNode* node);      // slot 5
    enum Position { After = 1, Before = 2, FirstChild = 3, Child = 4 };
    virtual void Insert(TreeNode* node, int position); // slot 6
    virtual void Unlink();                             // slot 7
    // Destroys every child (children first), then the back-end.
    virtual void DestroySubtree(); // slot 8
    // Takes this node's place in the tree.
    virtual void MoveLinksTo(TreeNode* node); // slot 9

    const String& Name() const { return name_; }
    TreeNode* Parent() const { return parent_; }
    TreeNode* FirstChildNode() const { return firstChild_; }
    TreeNode* NextSibling() const { return next_; }
    TreeNode* PreviousSibling() const { return previous_; }
    PreferencesImp* Imp() const { return imp_.get(); }
    void SetImp(std::unique_ptr<PreferencesImp> imp);

private:
    String name_;
    TreeNode* parent_ = nullptr;
    TreeNode* next_ = nullptr;
    TreeNode* previous_ = nullptr;
    TreeNode* firstChild_ = nullptr;
    std::unique_ptr<PreferencesImp> imp_;
};

} // namespace plat
