// The pictures of plot, compare and pellets, read back from their SVG.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <regex>

#include "tests/cli/CliFixture.h"

namespace {

struct SvgText {
    double y;
    double fontSize;  // pixels
    std::string text;
};

std::vector<SvgText> TextsOfSvg(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    QXmlStreamReader svg(&file);
    std::vector<SvgText> texts;
    while (!svg.atEnd()) {
        if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == u"text") {
            const QXmlStreamAttributes attributes = svg.attributes();
            const double y = attributes.value("y").toDouble();
            const double size = attributes.value("font-size").toDouble();
            texts.push_back({y, size, svg.readElementText().toStdString()});
        }
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    return texts;
}

// A tick label's value; labels take a point under every locale.
double ValueOf(const std::string& label) {
    return QString::fromStdString(label).toDouble();
}

bool IsNumber(const std::string& text) {
    static const std::regex number("-?[0-9]+(\\.[0-9]+)?");
    return std::regex_match(text, number);
}

// The tick labels of each axis in drawing order: a run of numbers is an x axis's labels (on
// one line) followed by its y axis's.
std::vector<std::vector<std::string>> TickLabelsByAxis(const std::vector<SvgText>& texts) {
    std::vector<std::vector<std::string>> axes;
    double xLine = NAN;
    bool inRun = false;
    for (const SvgText& text : texts) {
        if (!IsNumber(text.text)) {
            inRun = false;
            continue;
        }
        if (!inRun) {
            axes.emplace_back();
            xLine = text.y;
            inRun = true;
        } else if (axes.size() % 2 == 1 && text.y != xLine) {
            axes.emplace_back();  // the y axis's labels follow
        }
        axes.back().push_back(text.text);
    }
    return axes;
}

void ExpectRoundEvenTicks(const std::vector<std::string>& labels, const std::string& picture) {
    ASSERT_GE(labels.size(), 3u) << picture;
    const size_t point = labels[0].find('.');
    const size_t decimals = point == std::string::npos ? 0 : labels[0].size() - point - 1;
    const double step = ValueOf(labels[1]) - ValueOf(labels[0]);
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                std::fabs(mantissa - 5) < 1e-9)
        << picture << ": step " << step;
    for (size_t k = 1; k < labels.size(); ++k) {
        const size_t dot = labels[k].find('.');
        EXPECT_EQ(dot == std::string::npos ? 0 : labels[k].size() - dot - 1, decimals)
            << picture << ": " << labels[k];
        EXPECT_NEAR(ValueOf(labels[k]) - ValueOf(labels[k - 1]), step, step * 1e-9)
            << picture << ": " << labels[k - 1] << " then " << labels[k];
    }
    EXPECT_GT(step, 0) << picture;
}

double FontSizeOf(const std::vector<SvgText>& texts, const std::string& text) {
    for (const SvgText& t : texts) {
        if (t.text == text) {
            return t.fontSize;
        }
    }
    ADD_FAILURE() << "no text " << text;
    return 0;
}

struct PictureCase {
    std::vector<std::string> arguments;  // before -o and --size
    std::vector<std::string> titles;     // the picture's title first
    double enlargement;                  // of a 1600 × 1000 picture over the default
};

class CliPictures : public CliFixture, public testing::WithParamInterface<PictureCase> {};

TEST_P(CliPictures, HaveTitlesUnitsRoundTicksAndTextThatGrowsWithThePicture) {
    const PictureCase& c = GetParam();
    ASSERT_TRUE(QDir(folder.path()).mkpath("a") && QDir(folder.path()).mkpath("b"));
    SaveGun("a/gun.txt", ExampleGunTexts());
    SaveGun("b/gun.txt", ExampleGunTexts());
    std::vector<double> titleSizes;
    for (const char* size : {"", "1600x1000"}) {
        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments) {
            arguments.push_back(argument.ends_with(".txt") ? PathOf(argument.c_str()) : argument);
        }
        const std::string picture = PathOf("picture.svg");
        arguments.insert(arguments.end(), {"-o", picture});
        if (*size != '\0') {
            arguments.insert(arguments.end(), {"--size", size});
        }
        const CliRun run = Run(arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<SvgText> texts = TextsOfSvg(picture);
        for (const std::string& title : c.titles) {
            EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                    [&](const SvgText& t) { return t.text == title; }))
                << title << " in " << c.arguments[0] << ' ' << size;
        }
        const auto axes = TickLabelsByAxis(texts);
        EXPECT_EQ(axes.size(), c.arguments[0] == "pellets" ? 4u : 2u);
        for (const auto& labels : axes) {
            ExpectRoundEvenTicks(labels, c.arguments[0] + ' ' + size);
        }
        titleSizes.push_back(FontSizeOf(texts, c.titles[0]));
        if (c.arguments[0] == "compare") {
            // Both guns are called " Air Gun": their folders tell them apart.
            EXPECT_NE(run.out.find(",a/gun.txt,ok,"), std::string::npos) << run.out;
            EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const SvgText& t) {
                return t.text.starts_with("b/gun.txt: ") && t.text.ends_with(" J");
            }));
        }
    }
    EXPECT_NEAR(titleSizes[1] / titleSizes[0], c.enlargement, 0.1 * c.enlargement);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, CliPictures, testing::Values(
    PictureCase{{"plot", "a/gun.txt", "--y", "pressure"},
                {"pressure over time", "pressure [MPa]", "time [ms]"},
                1600.0 / 426},
    PictureCase{{"compare", "a/gun.txt", "b/gun.txt", "--y", "bullet_velocity", "--x", "bullet_travel"},
                {"bullet velocity over bullet travel", "bullet velocity [m/s]", "bullet travel [mm]"},
                1600.0 / 426},
    PictureCase{{"pellets", "a/gun.txt", "--weights", "0.3:0.9:13", "--limit", "12ftlbf", "--units", "imperial"},
                {"muzzle velocity over pellet weight", "muzzle velocity [ft/s]", "pellet weight [gr]",
                 "muzzle energy [ft\u00b7lbf]", "limit 12.00 ft\u00b7lbf"},
                500.0 / 258}));  // each of the two graphs is 1600 × 500
// clang-format on

using CliPictureFiles = CliFixture;

TEST_F(CliPictureFiles, APictureOfAnotherFormatIsWrongUsageAndNoFileIsWritten) {
    const std::string gun = PathOf("example.txt");
    for (const char* name : {"picture.jpg", "picture", "picture.png.txt"}) {
        const std::string picture = PathOf(name);
        for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
                 {"plot", gun, "--y", "pressure", "-o", picture},
                 {"compare", gun, gun, "--y", "pressure", "-o", picture},
                 {"pellets", gun, "--weights", "0.4:0.6:3", "-o", picture}}) {
            const CliRun run = Run(arguments);
            EXPECT_EQ(run.status, 2) << arguments[0] << ' ' << name;
            EXPECT_EQ(run.out, "");
            EXPECT_FALSE(std::filesystem::exists(picture)) << arguments[0] << ' ' << name;
        }
    }
    const std::string pdf = PathOf("Picture.PDF");
    ASSERT_EQ(Run({"plot", gun, "--y", "pressure", "-o", pdf}).status, 0);
    QFile written(QString::fromStdString(pdf));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.read(5), "%PDF-");
}

}  // namespace
