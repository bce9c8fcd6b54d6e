// Save and Load through the main window when the file system refuses, or the file changes
// while the dialog is open: no report already on disk is damaged, and the user is told.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <functional>

#include "app/Vstup1.h"
#include "datafile/GunFileDialogs.h"
#include "tests/app/WindowsFixture.h"
#include "tests/support/PermissionBits.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/ExampleGun.h"

namespace {

const QByteArray OldReport = "an earlier report\r\n";
const std::vector<RecordedMessage> SavingError = {{false, "File saving error."}};
const std::vector<RecordedMessage> LoadingError = {{false, "File loading error."}};

// Answers with a path set beforehand, but first makes a change to the file system, as another
// program could while the dialog is open.
class ChangingFileDialogs : public GunFileDialogs {
public:
    std::optional<QString> ChooseFileToSave() override { return Answer(); }
    std::optional<QString> ChooseFileToOpen() override { return Answer(); }

    QString path;
    std::function<void()> changeBeforeAnswer;

private:
    std::optional<QString> Answer() {
        if (changeBeforeAnswer) {
            std::exchange(changeBeforeAnswer, nullptr)();
        }
        return path;
    }
};

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

void SetMode(const QString& path, mode_t mode) {
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

// Gives the owner back every right in the tree, so that the temporary folder can be removed.
void GiveBackAccess(const QString& path) {
    if (!QFileInfo(path).isDir() || QFileInfo(path).isSymLink()) {
        chmod(QFile::encodeName(path).constData(), 0600);
        return;
    }
    chmod(QFile::encodeName(path).constData(), 0700);
    for (const QString& entry : Entries(path)) {
        GiveBackAccess(path + '/' + entry);
    }
}

class FileSystemRefusal : public WindowsFixture {
protected:
    FileSystemRefusal() {
        auto changing = std::make_unique<ChangingFileDialogs>();
        dialogs = changing.get();
        windows.vstup->SetFileDialogs(std::move(changing));
        for (size_t i = 0; i < GunParameterCount; ++i) {
            windows.vstup->ParameterEdits[i]->setText(QString::fromStdString(ExampleGunTexts()[i]));
        }
    }
    ~FileSystemRefusal() override { GiveBackAccess(folder.path()); }

    QString PathOf(const QString& name) const { return folder.filePath(name); }

    std::vector<RecordedMessage> Save(const QString& path, std::function<void()> change) {
        messages.messages.clear();
        dialogs->path = path;
        dialogs->changeBeforeAnswer = std::move(change);
        windows.vstup->Button7Click();
        return messages.messages;
    }

    std::vector<RecordedMessage> Load(const QString& path, std::function<void()> change) {
        messages.messages.clear();
        dialogs->path = path;
        dialogs->changeBeforeAnswer = std::move(change);
        windows.vstup->Button1Click();
        return messages.messages;
    }

    QStringList FieldTexts() const {
        QStringList texts{windows.vstup->Edit33->text()};
        for (const QLineEdit* edit : windows.vstup->ParameterEdits) {
            texts << edit->text();
        }
        return texts;
    }

    QTemporaryDir folder;
    ChangingFileDialogs* dialogs;
};

TEST_F(FileSystemRefusal, SaveIntoAFolderThatTurnedReadOnlyKeepsTheOldReport) {
    if (const std::optional<std::string> reason = WhyPermissionBitsDoNotBind()) {
        GTEST_SKIP() << *reason;
    }
    ASSERT_TRUE(QDir(folder.path()).mkdir("reports"));
    const QString report = PathOf("reports/gun.txt");
    WriteFile(report, OldReport);
    EXPECT_EQ(Save(report, [&] { SetMode(PathOf("reports"), 0555); }), SavingError);
    EXPECT_EQ(Contents(report), OldReport);
    EXPECT_EQ(Entries(PathOf("reports")), QStringList{"gun.txt"});
    // A new report cannot be put there either, and nothing is left trying.
    EXPECT_EQ(Save(PathOf("reports/new.txt"), nullptr), SavingError);
    EXPECT_EQ(Entries(PathOf("reports")), QStringList{"gun.txt"});
}

TEST_F(FileSystemRefusal, SaveOntoAReportThatTurnedReadOnlyKeepsIt) {
    if (const std::optional<std::string> reason = WhyPermissionBitsDoNotBind()) {
        GTEST_SKIP() << *reason;
    }
    const QString report = PathOf("gun.txt");
    WriteFile(report, OldReport);
    // The folder stays writable: a new file renamed over the report would replace it.
    EXPECT_EQ(Save(report, [&] { SetMode(report, 0444); }), SavingError);
    EXPECT_EQ(Contents(report), OldReport);
    EXPECT_EQ(Entries(folder.path()), QStringList{"gun.txt"});
}

TEST_F(FileSystemRefusal, SaveOntoAFullDiskEmptiedTheOldReportAndClaimedSuccess) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("disk"));
    const SmallTmpfs disk(PathOf("disk"), 64);
    if (!disk.Failure().empty()) {
        GTEST_SKIP() << "no small file system to fill up: " << disk.Failure();
    }
    const QString report = PathOf("disk/gun.txt");
    WriteFile(report, OldReport);
    EXPECT_EQ(Save(report, [&] { ASSERT_TRUE(disk.FillUp("filler")); }), SavingError);
    EXPECT_EQ(Contents(report), OldReport);
    EXPECT_EQ(Save(PathOf("disk/new.txt"), nullptr), SavingError);
    EXPECT_EQ(Entries(PathOf("disk")), QStringList({"filler", "gun.txt"}));
}

struct ReportChange {
    const char* name;
    bool needsPermissionBits;
    void (*change)(const QString& report);
};

class LoadOfAReportThatChanged : public FileSystemRefusal,
                                 public testing::WithParamInterface<ReportChange> {};

TEST_P(LoadOfAReportThatChanged, ShowsTheLoadingErrorAndChangesNoField) {
    if (const std::optional<std::string> reason = WhyPermissionBitsDoNotBind();
        reason && GetParam().needsPermissionBits) {
        GTEST_SKIP() << *reason;
    }
    const QString report = PathOf("gun.txt");
    ASSERT_TRUE(Save(report, nullptr).empty());
    for (QLineEdit* edit : windows.vstup->ParameterEdits) {
        edit->setText("7");
    }
    windows.vstup->Edit33->setText("typed since");
    const QStringList typed = FieldTexts();

    EXPECT_EQ(Load(report, [&] { GetParam().change(report); }), LoadingError);
    EXPECT_EQ(FieldTexts(), typed);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AfterTheDialog, LoadOfAReportThatChanged, testing::Values(
    ReportChange{"Removed", false, [](const QString& report) {
        ASSERT_TRUE(QFile::remove(report)); }},
    ReportChange{"ReplacedByAFolder", false, [](const QString& report) {
        ASSERT_TRUE(QFile::remove(report));
        ASSERT_TRUE(QDir().mkdir(report)); }},
    ReportChange{"MadeUnreadable", true, [](const QString& report) {
        SetMode(report, 0); }}),
    [](const testing::TestParamInfo<ReportChange>& info) { return info.param.name; });
// clang-format on

}  // namespace
