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
  // A link to the folder `target`: listing through it lists the target. As
  // on a real system, a path through more than 40 links cannot be listed.
  void AddFolderLink(const std::string& dir, const std::string& name, const std::string& target) {
    tree_[dir].push_back({name, true, true});
    links_[dir + "\\" + name] = target;
  }
  bool List(const std::string& directory, const DirectoryVisitor& visit) override {
    auto found = tree_.find(Resolve(directory));
    if (found == tree_.end()) return false;
    if (!visit({".", true}) || !visit({"..", true})) return true;
    for (const DirectoryEntry& e : found->second)
      if (!visit(e)) break;
    return true;
  }
  char Separator() const override { return '\\'; }

 private:
  // Replaces a leading link by its target until none is left.
  std::string Resolve(std::string path) const {
    for (int hops = 0; hops <= 40; ++hops) {
      bool replaced = false;
      for (const auto& link : links_) {
        const std::string& from = link.first;
        if (path.compare(0, from.size(), from) == 0 &&
            (path.size() == from.size() || path[from.size()] == '\\')) {
          path = link.second + path.substr(from.size());
          replaced = true;
          break;
        }
      }
      if (!replaced) return path;
    }
    return std::string();  // too many links
  }

  std::map<std::string, std::vector<DirectoryEntry>> tree_;
  std::map<std::string, std::string> links_;
};
