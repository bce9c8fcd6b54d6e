// Load and Save through the main window, with dialogs that answer without asking.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/Vstup1.h"
#include "datafile/GunReportFile.h"
#include "tests/app/WindowsFixture.h"
#include "tests/datafile/FakeGunFileDialogs.h"
#include "tests/support/ExampleGun.h"

namespace {

class LoadSave : public WindowsFixture {
protected:
    explicit LoadSave(char separator = '.') : WindowsFixture(separator) {
        auto fake = std::make_unique<FakeGunFileDialogs>();
        dialogs = fake.get();
        windows.vstup->SetFileDialogs(std::move(fake));
    }

    void TypeGun(const GunParameterTexts& texts) {
        for (size_t i = 0; i < windows.vstup->ParameterEdits.size(); ++i) {
            windows.vstup->ParameterEdits[i]->setText(QString::fromStdString(texts[i]));
        }
    }

    QStringList FieldTexts() const {
        QStringList texts;
        for (QLineEdit* edit : windows.vstup->ParameterEdits) {
            texts << edit->text();
        }
        return texts;
    }

    QString PathOf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    FakeGunFileDialogs* dialogs;
};

TEST_F(LoadSave, ASavedGunLoadsBackWithOneMoreSpaceAroundItsName) {
    Tvstup& v = *windows.vstup;
    TypeGun(ExampleGunTexts());
    dialogs->fileToSave = PathOf("RevIve.txt");
    v.Button7Click();
    ASSERT_TRUE(messages.messages.empty());
    ASSERT_TRUE(QFile::exists(PathOf("RevIve.txt")));

    for (QLineEdit* edit : v.ParameterEdits) {
        edit->setText("7");
    }
    v.Edit33->setText("other");
    dialogs->fileToOpen = PathOf("RevIve.txt");
    v.Button1Click();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(v.Edit33->text(), "  Air Gun ");
    EXPECT_EQ(FieldTexts(), QStringList({"4.5", "0.5", "450", "1.05", "1", "0.2", "25", "0.1", "3",
                                         "0.03", "200", "400", "60", "1.4", "0.1", "0.01"}));
}

TEST_F(LoadSave, LoadingChangesNeitherResultBoxNorSave) {
    Tvstup& v = *windows.vstup;
    TypeGun(ExampleGunTexts());
    dialogs->fileToSave = PathOf("gun.txt");
    v.Button7Click();
    v.Memo1->setPlainText("kept");
    dialogs->fileToOpen = PathOf("gun.txt");
    v.Button1Click();
    EXPECT_EQ(v.Memo1->toPlainText(), "kept");
    EXPECT_FALSE(v.Button7->isEnabled());
}

TEST_F(LoadSave, ACancelledDialogChangesNothing) {
    Tvstup& v = *windows.vstup;
    v.Button1Click();
    v.Button7Click();
    EXPECT_EQ(dialogs->openDialogRuns, 1);
    EXPECT_EQ(dialogs->saveDialogRuns, 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(v.Edit33->text(), " Air Gun");
}

TEST_F(LoadSave, AFieldThatIsNotANumberStopsTheSaveBeforeAnyFileIsTouched) {
    Tvstup& v = *windows.vstup;
    TypeGun(ExampleGunTexts());
    v.ParameterEdit(GunParameter::PistonStroke)->setText("6O");
    dialogs->fileToSave = PathOf("gun.txt");
    v.Button7Click();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0],
              (RecordedMessage{true, "'6O' is not a valid floating point value."}));
    EXPECT_FALSE(QFile::exists(PathOf("gun.txt")));
}

TEST_F(LoadSave, ABadFileLeavesEveryFieldAsItWas) {
    Tvstup& v = *windows.vstup;
    QFile damaged(PathOf("damaged.txt"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\r\n   *** Velloran *** \r\n Air Gun: x \r\n Caliber [mm]: 4.5\r\n");
    damaged.close();
    dialogs->fileToOpen = PathOf("damaged.txt");
    v.Button1Click();
    dialogs->fileToOpen = PathOf("missing.txt");
    v.Button1Click();
    EXPECT_EQ(messages.messages, (std::vector<RecordedMessage>{{false, "Wrong data format."},
                                                               {false, "File loading error."}}));
    EXPECT_EQ(v.Edit33->text(), " Air Gun");
    EXPECT_EQ(FieldTexts(), QStringList(GunParameterCount, "0"));
}

class LoadSaveWithDecimalComma : public LoadSave {
protected:
    LoadSaveWithDecimalComma() : LoadSave(',') {}
};

TEST_F(LoadSaveWithDecimalComma, FieldsFollowTheUsersSeparatorWhileTheFileKeepsAPoint) {
    Tvstup& v = *windows.vstup;
    TypeGun(ExampleGunTexts(','));
    dialogs->fileToSave = PathOf("gun.txt");
    v.Button7Click();
    ASSERT_TRUE(messages.messages.empty());
    QFile saved(PathOf("gun.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains(" Caliber [mm]:               4.500  \r\n"));

    TypeGun(GunParameterTexts{});
    dialogs->fileToOpen = PathOf("gun.txt");
    v.Button1Click();
    EXPECT_EQ(v.ParameterEdits[0]->text(), "4,5");
    EXPECT_EQ(v.ParameterEdits[15]->text(), "0,01");
}

// The window has no fields for the optional parameters: Load keeps a report's section and Save
// writes it back (with the user's separator in between), saying that the summary beside it is
// the basic model's; a report without a section leaves none to keep.
TEST_F(LoadSaveWithDecimalComma, AnOptionalSectionSurvivesLoadAndSaveMarkedAsTheBasicModels) {
    Tvstup& v = *windows.vstup;
    GunParameterTexts ported = ExampleGunTexts();
    ported[static_cast<size_t>(Index(GunParameter::PortLength))] = "25.5";
    ported[static_cast<size_t>(Index(GunParameter::AirTemperature))] = "293.15";
    SaveGunReport(PathOf("cli.txt").toStdString(), " Air Gun", ported, '.',
                  GunReportSummary{1, 2, 3, 4, 5, SummaryModel::Extended});
    const auto saveAndRead = [&](const char* from, const char* to) {
        dialogs->fileToOpen = PathOf(from);
        v.Button1Click();
        dialogs->fileToSave = PathOf(to);
        v.Button7Click();
        QFile saved(PathOf(to));
        return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    };
    const QByteArray kept = saveAndRead("cli.txt", "window.txt");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(v.ParameterEdits[0]->text(), "4,5");
    EXPECT_EQ(LoadGunReport(PathOf("window.txt").toStdString()).optional,
              (OptionalParameterValues{0, 25.5, 0, 0, 293.15}));
    EXPECT_TRUE(kept.contains("\r\n Summary Above:             basic model, without these\r\n"));

    SaveGunReport(PathOf("plain.txt").toStdString(), " Air Gun", ExampleGunTexts(), '.',
                  GunReportSummary{});
    EXPECT_FALSE(saveAndRead("plain.txt", "again.txt").contains("Optional Parameters"));
}

}  // namespace
