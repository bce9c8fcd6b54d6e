#include "datafile/GunReportFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "common/CommandRunner.h"
#include "common/FieldNumber.h"
#include "common/FileDescriptor.h"
#include "datafile/GunFileCommands.h"
#include "tests/common/RecordingMessageSink.h"
#include "tests/datafile/FakeGunFileDialogs.h"
#include "tests/support/ExampleGun.h"
#include "tests/support/PermissionBits.h"

namespace {

constexpr GunReportSummary Summary = {4.586, 9.764, 806.671, 205.313, 10.538};
const QByteArray OldReport = "an earlier report\r\n";

class GunReportFileTest : public testing::Test {
protected:
    // QTemporaryDir removes only the files whose names Qt can spell.
    ~GunReportFileTest() override {
        std::filesystem::remove_all(QFile::encodeName(folder.path()).toStdString());
    }

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
    const std::string path =
        PathOf(QString(200, 'g') + QStringLiteral(" report.txt")).toStdString();
    SaveGunReport(path, " Air Gun", ExampleGunTexts(','), ',', Summary);
    const GunParameters gun = LoadGunReport(path);
    EXPECT_EQ(gun.name, "  Air Gun ");
    for (size_t i = 0; i < gun.values.size(); ++i) {
        EXPECT_EQ(NumberToField(gun.values[i], ','), ExampleGunTexts(',')[i]);
    }
}

TEST_F(GunReportFileTest, ReplacesAnEarlierReportKeepingItsOwnerAndModeAndNoOtherFile) {
    WriteFile(PathOf("gun.txt"), OldReport);
    const QByteArray report = QFile::encodeName(PathOf("gun.txt"));
    ASSERT_EQ(chmod(report.constData(), 0640), 0);
    // Where this process may (as the superuser), the report is another user's.
    const bool givenAway = chown(report.constData(), 65534, 65534) == 0;
    SCOPED_TRACE(givenAway ? "the report belongs to user 65534" : "the report is this user's");
    struct stat before {};
    ASSERT_EQ(stat(report.constData(), &before), 0);
    EXPECT_TRUE(Run([&] { Save(PathOf("gun.txt")); }).empty());
    struct stat after {};
    ASSERT_EQ(stat(report.constData(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode, before.st_mode);
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

TEST_F(GunReportFileTest, SaveIntoAFifoOrADeviceWritesIntoItInsteadOfReplacingIt) {
    const QByteArray fifo = QFile::encodeName(PathOf("fifo"));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    // Held open for reading and writing, the FIFO takes the report without a reader waiting.
    const FileDescriptor reader(open(fifo.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_TRUE(Run([&] { Save(PathOf("fifo")); }).empty());
    std::array<char, 24> received{};
    EXPECT_EQ(read(reader.Get(), received.data(), received.size()), 24);
    EXPECT_EQ(QByteArray(received.data(), 24), "\r\n   *** Velloran *** \r\n");
    struct stat info {};
    EXPECT_TRUE(stat(fifo.constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    // With no reader, the window does not freeze waiting for one.
    const QByteArray unread = QFile::encodeName(PathOf("unread fifo"));
    ASSERT_EQ(mkfifo(unread.constData(), 0600), 0);
    EXPECT_EQ(Run([&] { Save(PathOf("unread fifo")); }),
              (std::vector<RecordedMessage>{{false, "File saving error."}}));
    EXPECT_TRUE(stat(unread.constData(), &info) == 0 && S_ISFIFO(info.st_mode));

    // A device that refuses every write, where the process may make one.
    const QByteArray full = QFile::encodeName(PathOf("full"));
    if (mknod(full.constData(), S_IFCHR | 0600, makedev(1, 7)) == 0) {
        EXPECT_EQ(Run([&] { Save(PathOf("full")); }),
                  (std::vector<RecordedMessage>{{false, "File saving error."}}));
        EXPECT_TRUE(stat(full.constData(), &info) == 0 && S_ISCHR(info.st_mode));
    }
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

TEST_F(GunReportFileTest, LoadRefusesWithoutWaitingAFifoAFolderAndWhatIsNoReportOfAtMost1MiB) {
    WriteFile(PathOf("letter.txt"), "Dear Sir: 12\r\n");
    // Complete reports padded to a size: 1 MiB passes, a byte more does not.
    for (const auto& [name, size] :
         {std::pair{"1MiB.txt", 1 << 20}, {"larger.txt", (1 << 20) + 1}}) {
        SaveGunReport(PathOf(name).toStdString(), "", ExampleGunTexts(), '.', Summary);
        ASSERT_TRUE(QFile::resize(PathOf(name), size));
    }
    // A FIFO that holds a report and has a writer, so that opening it would not wait.
    const QByteArray fifo = QFile::encodeName(PathOf("fifo.txt"));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const FileDescriptor writer(open(fifo.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    const QByteArray report = Contents(PathOf("1MiB.txt")).left(2000);
    ASSERT_EQ(write(writer.Get(), report.constData(), 2000), 2000);

    const auto load = [&](const QString& path) {
        dialogs.fileToOpen = path;
        return Run([&] { LoadGunCommand(dialogs); });
    };
    const std::vector<RecordedMessage> loadingError = {{false, "File loading error."}};
    const std::vector<RecordedMessage> wrongFormat = {{false, "Wrong data format."}};
    EXPECT_EQ(load(PathOf("missing.txt")), loadingError);
    EXPECT_EQ(load(folder.path()), loadingError);
    EXPECT_EQ(load(PathOf("fifo.txt")), loadingError);
    EXPECT_EQ(load(PathOf("letter.txt")), wrongFormat);
    EXPECT_EQ(load(PathOf("larger.txt")), wrongFormat);
    EXPECT_EQ(load(PathOf("1MiB.txt")), std::vector<RecordedMessage>{});
}

TEST_F(GunReportFileTest, ANameThatIsNotUtf8IsRefusedInsteadOfLeadingToAnotherFile) {
    // The dialog lists "gun\xfe.txt" as "gun\uFFFD.txt": encoded back, the other file's name.
    const std::string folderBytes = QFile::encodeName(folder.path()).toStdString();
    std::ofstream(folderBytes + "/gun\xfe.txt") << "a report";
    WriteFile(PathOf(QStringLiteral("gun\uFFFD.txt")), OldReport);
    const QString listed = PathOf(QFile::decodeName("gun\xfe.txt"));
    const std::vector<RecordedMessage> refusal = {{false, "The file name is not valid UTF-8."}};
    EXPECT_EQ(Run([&] { Save(listed); }), refusal);
    dialogs.fileToOpen = listed;
    EXPECT_EQ(Run([&] { LoadGunCommand(dialogs); }), refusal);
    EXPECT_EQ(Contents(PathOf(QStringLiteral("gun\uFFFD.txt"))), OldReport);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folderBytes), {}), 2);
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
