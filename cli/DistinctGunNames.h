#pragma once
// The names that tell several guns apart, in a picture's legend and in compare's CSV.

#include <span>
#include <string>
#include <vector>

struct NamedGun {
    std::string name;  // as the report holds it: the blanks around are no part of it
    std::string path;  // the report's path as given
};

// Each gun's own name (without the blanks around) where it has one that no other gun has; otherwise
// the shortest end of its path (the file's name, then its folder's and the file's, …) that ends no
// other such gun's path: two guns named alike in a/x/gun.txt and b/x/gun.txt are a/x/gun.txt and
// b/x/gun.txt, one in c/gun.txt beside them c/gun.txt. Guns from one path keep the path.
std::vector<std::string> DistinctGunNames(std::span<const NamedGun> guns);
