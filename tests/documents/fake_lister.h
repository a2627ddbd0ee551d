#pragma once
// An in-memory folder tree with Windows separators, for the scanner tests.
#include <map>
#include <string>
#include <vector>

#include "documents/directory_listing.h"

// Folders by full name ("C:\r", "C:\r\a"), each with its entries in listing
// order; every folder also lists "." and "..".
class FakeTreeLister : public DirectoryLister {
 public:
  void AddFile(const std::string& dir, const std::string& name) {
    tree_[dir].push_back({name, false});
  }
  void AddFolder(const std::string& dir, const std::string& name) {
    tree_[dir].push_back({name, true});
    tree_[dir + "\\" + name];
  }
  bool List(const std::string& directory, const DirectoryVisitor& visit) override {
    auto found = tree_.find(directory);
    if (found == tree_.end()) return false;
    if (!visit({".", true}) || !visit({"..", true})) return true;
    for (const DirectoryEntry& e : found->second)
      if (!visit(e)) break;
    return true;
  }
  char Separator() const override { return '\\'; }

 private:
  std::map<std::string, std::vector<DirectoryEntry>> tree_;
};
