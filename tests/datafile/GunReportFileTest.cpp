#include "datafile/GunReportFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/CommandRunner.h"
#include "common/FieldNumber.h"
#include "datafile/GunFileCommands.h"
#include "tests/common/RecordingMessageSink.h"
#include "tests/datafile/FakeGunFileDialogs.h"
#include "tests/support/PermissionBits.h"
#include "tests/support/ExampleGun.h"

namespace {

constexpr GunReportSummary Summary = {4.586, 9.764, 806.671, 205.313, 10.538};
const QByteArray OldReport = "an earlier report\r\n";

class GunReportFileTest : public testing::Test {
protected:
    QString PathOf(const QString& name) const { return folder.filePath(name); }

    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList FolderEntries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // Runs a command as a handler does and gives the messages it showed.
    std::vector<RecordedMessage> Run(const std::function<void()>& command) {
        RecordingMessageSink messages;
        RunCommand(messages, command);
        return messages.messages;
    }

    void Save(const QString& path, const GunParameterTexts& texts = ExampleGunTexts()) {
        dialogs.fileToSave = path;
        SaveGunCommand(dialogs, " Air Gun", texts, '.', Summary);
    }

    QTemporaryDir folder;
    FakeGunFileDialogs dialogs;
};

TEST_F(GunReportFileTest, SavesAndLoadsTheExampleGunUnderAFileNameOfAnyLength) {
    const QString path = PathOf(QString(200, 'g') + QStringLiteral(" report.txt"));
    SaveGunReport(path, " Air Gun", ExampleGunTexts(','), ',', Summary);
    const GunParameters gun = LoadGunReport(path);
    EXPECT_EQ(gun.name, "  Air Gun ");
    for (size_t i = 0; i < gun.values.size(); ++i) {
        EXPECT_EQ(NumberToField(gun.values[i], ','), ExampleGunTexts(',')[i]);
    }
}

TEST_F(GunReportFileTest, ReplacesAnEarlierReportAndLeavesNoOtherFileBehind) {
    WriteFile(PathOf("gun.txt"), OldReport);
    EXPECT_TRUE(Run([&] { Save(PathOf("gun.txt")); }).empty());
    EXPECT_TRUE(Contents(PathOf("gun.txt")).startsWith("\r\n   *** Velloran *** \r\n"));
    EXPECT_EQ(FolderEntries(), QStringList{"gun.txt"});
}

TEST_F(GunReportFileTest, SaveWithAFieldThatIsNotANumberReportsTheFirstAndTouchesNoFile) {
    GunParameterTexts texts = ExampleGunTexts();
    texts[4] = "1.0.0";
    texts[8] = "x";
    WriteFile(PathOf("gun.txt"), OldReport);
    EXPECT_EQ(
        Run([&] { Save(PathOf("gun.txt"), texts); }),
        (std::vector<RecordedMessage>{{true, "'1.0.0' is not a valid floating point value."}}));
    EXPECT_EQ(Run([&] { Save(PathOf("new.txt"), texts); }).size(), 1u);
    EXPECT_EQ(Contents(PathOf("gun.txt")), OldReport);
    EXPECT_EQ(FolderEntries(), QStringList{"gun.txt"});
}

TEST_F(GunReportFileTest, SaveIntoAPlaceThatCannotHoldTheFileKeepsWhatIsThere) {
    WriteFile(PathOf("plain.txt"), OldReport);
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.txt"));
    const std::vector<RecordedMessage> failure = {{false, "File saving error."}};
    EXPECT_EQ(Run([&] { Save(PathOf("plain.txt/gun.txt")); }), failure);
    EXPECT_EQ(Run([&] { Save(PathOf("folder.txt")); }), failure);
    EXPECT_EQ(Contents(PathOf("plain.txt")), OldReport);
    EXPECT_TRUE(QDir(PathOf("folder.txt")).isEmpty());
}

TEST_F(GunReportFileTest, SaveOntoAReadOnlyFileOrIntoAReadOnlyFolderKeepsWhatIsThere) {
    if (const std::optional<std::string> reason = WhyPermissionBitsDoNotBind()) {
        GTEST_SKIP() << *reason;
    }
    const std::vector<RecordedMessage> failure = {{false, "File saving error."}};
    WriteFile(PathOf("locked.txt"), OldReport);
    QFile::setPermissions(PathOf("locked.txt"), QFile::ReadOwner);
    EXPECT_EQ(Run([&] { Save(PathOf("locked.txt")); }), failure);
    EXPECT_EQ(Contents(PathOf("locked.txt")), OldReport);

    ASSERT_TRUE(QDir(folder.path()).mkdir("locked"));
    WriteFile(PathOf("locked/gun.txt"), OldReport);
    QFile::setPermissions(PathOf("locked"), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(Run([&] { Save(PathOf("locked/gun.txt")); }), failure);
    EXPECT_EQ(Contents(PathOf("locked/gun.txt")), OldReport);
    QFile::setPermissions(PathOf("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(GunReportFileTest, LoadReportsAFileThatCannotBeReadOrIsNoReport) {
    WriteFile(PathOf("letter.txt"), "Dear Sir: 12\r\n");
    const auto load = [&](const QString& path) {
        dialogs.fileToOpen = path;
        return Run([&] { LoadGunCommand(dialogs); });
    };
    EXPECT_EQ(load(PathOf("missing.txt")),
              (std::vector<RecordedMessage>{{false, "File loading error."}}));
    EXPECT_EQ(load(folder.path()), (std::vector<RecordedMessage>{{false, "File loading error."}}));
    EXPECT_EQ(load(PathOf("letter.txt")),
              (std::vector<RecordedMessage>{{false, "Wrong data format."}}));
}

TEST_F(GunReportFileTest, CancelledDialogsEndTheCommandsWithNothingDone) {
    GunParameterTexts texts = ExampleGunTexts();
    texts[0] = "not a number";
    EXPECT_TRUE(Run([&] { SaveGunCommand(dialogs, "", texts, '.', Summary); }).empty());
    EXPECT_FALSE(LoadGunCommand(dialogs));
    EXPECT_EQ(dialogs.saveDialogRuns, 1);
    EXPECT_EQ(dialogs.openDialogRuns, 1);
    EXPECT_TRUE(FolderEntries().isEmpty());
}

}  // namespace
