#pragma once
// The files a command writes, checked against the report it reads before either is touched.

#include <initializer_list>
#include <string>

struct OutputFile {
    const char* option;  // "--csv"
    std::string path;    // as given: empty when the option is missing, "-" for standard output
};

// Raises UsageError when an output would overwrite the report, or two outputs are one file.
// Files are told apart by what they are, not by how they are spelt: by device and inode where
// the file exists, otherwise by the folder's and the name in it.
void RefuseOutputsOverTheReport(const std::string& report,
                                std::initializer_list<OutputFile> outputs);

// The same for another file the command reads, named in the message ("the shots").
void RefuseOutputsOverTheInput(const std::string& input, const std::string& inputName,
                               std::initializer_list<OutputFile> outputs);
