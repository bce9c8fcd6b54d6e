// velloran-cli-docs: writes the manual page or the bash completion of velloran-cli at build
// time, from the commands the tool is built with.
//   velloran-cli-docs man-page FILE DATE
//   velloran-cli-docs bash-completion FILE

#include <fstream>
#include <iostream>
#include <string>

#include "cli/CliBashCompletion.h"
#include "cli/CliManPage.h"
#include "cli/CliReference.h"

namespace {

int Usage() {
    std::cerr << "usage: velloran-cli-docs man-page FILE DATE\n"
                 "       velloran-cli-docs bash-completion FILE\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        return Usage();
    }
    const std::string what = argv[1];
    const std::string path = argv[2];
    std::string text;
    if (what == "man-page" && argc == 4) {
        text = CliManPage(ReadCliReference(), argv[3]);
    } else if (what == "bash-completion" && argc == 3) {
        text = CliBashCompletion(ReadCliReference());
    } else {
        return Usage();
    }
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "velloran-cli-docs: cannot write " << path << '\n';
        return 1;
    }
    return 0;
}
