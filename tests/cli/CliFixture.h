#pragma once
// Runs the command-line tool in-process, with a saved report of the example gun at hand.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/RunCli.h"
#include "datafile/GunReportFile.h"
#include "tests/support/ExampleGun.h"

// The fields of one CSV line (no quoted fields); a trailing comma ends with an empty field.
inline std::vector<std::string> CsvLineFields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, ',')) {
        fields.push_back(cell);
    }
    if (!line.empty() && line.back() == ',') {
        fields.emplace_back();
    }
    return fields;
}

// The fields of every line of a CSV text.
inline std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        rows.push_back(CsvLineFields(line));
    }
    return rows;
}

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class CliFixture : public testing::Test {
protected:
    CliFixture() { SaveGun("example.txt", ExampleGunTexts()); }
    // QTemporaryDir removes only the files whose names Qt can spell.
    ~CliFixture() override {
        std::filesystem::remove_all(QFile::encodeName(folder.path()).toStdString());
    }

    CliRun Run(std::vector<std::string> arguments) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunCli(arguments, out, err);
        return {status, out.str(), err.str()};
    }

    // Saves a report of the gun as the window's Save does, with an empty summary.
    std::string SaveGun(const char* name, const GunParameterTexts& texts) {
        const std::string path = PathOf(name);
        SaveGunReport(path, " Air Gun", texts, '.', GunReportSummary{});
        return path;
    }

    std::string PathOf(const char* name) const {
        return folder.filePath(QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir folder;
};
