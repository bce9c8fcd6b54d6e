#include "datafile/QtGunFileDialogs.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <string>
#include <utility>

namespace {

// What the user does once the dialog is shown: type a name and press Enter, or cancel.
void TypeNameAndPressEnter(QFileDialog* dialog, const QString& name) {
    auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(nameEdit, nullptr);
    nameEdit->clear();
    QTest::keyClicks(nameEdit, name);
    QTest::keyClick(nameEdit, Qt::Key_Return);
}

class QtGunFileDialogsTest : public testing::Test {
protected:
    QTemporaryDir startFolder;
    QWidget owner;
    QtGunFileDialogs dialogs{&owner, startFolder.path() + '/'};
};

TEST_F(QtGunFileDialogsTest, BothDialogsAreTheDesktopsBelongToTheOwnerAndStartInTheGivenFolder) {
    for (QFileDialog* dialog : {dialogs.SaveDialog1(), dialogs.OpenDialog1()}) {
        EXPECT_EQ(dialog->parent(), &owner);
        EXPECT_EQ(dialog->directory().absolutePath(), startFolder.path());
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontUseNativeDialog));  // the desktop's own
        EXPECT_TRUE(dialog->isSizeGripEnabled());
    }
    EXPECT_EQ(dialogs.SaveDialog1()->nameFilters(), QStringList{"Txt Files (*.txt)"});
    EXPECT_FALSE(dialogs.SaveDialog1()->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialogs.OpenDialog1()->nameFilters(), QStringList{"Text Files (*.txt)"});
}

TEST_F(QtGunFileDialogsTest, SaveProposesTheDefaultNameAddsTheSuffixAndStartsNextTimeThere) {
    QTemporaryDir otherFolder;
    QTemporaryDir typedFolder;
    QFileDialog* dialog = dialogs.SaveDialog1();
    using Shown = std::pair<std::string, std::string>;  // the folder shown, the name proposed
    Shown proposed;
    const auto whatTheDialogShows = [dialog] {
        return Shown{
            dialog->directory().absolutePath().toStdString(),
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text().toStdString()};
    };
    QTimer::singleShot(0, dialog, [&] {
        proposed = whatTheDialogShows();
        dialog->setDirectory(otherFolder.path());
        TypeNameAndPressEnter(dialog, QStringLiteral("my gun"));
    });
    EXPECT_EQ(dialogs.ChooseFileToSave(), otherFolder.filePath(QStringLiteral("my gun.txt")));
    EXPECT_EQ(proposed, Shown(startFolder.path().toStdString(), "RevIve.txt"));

    // A path typed whole is the file chosen just as well.
    QTimer::singleShot(0, dialog, [&] {
        proposed = whatTheDialogShows();
        TypeNameAndPressEnter(dialog, typedFolder.filePath(QStringLiteral("typed")));
    });
    EXPECT_EQ(dialogs.ChooseFileToSave(), typedFolder.filePath(QStringLiteral("typed.txt")));
    EXPECT_EQ(proposed, Shown(otherFolder.path().toStdString(), "my gun.txt"));

    QTimer::singleShot(0, dialog, [&] {
        proposed = whatTheDialogShows();
        dialog->reject();
    });
    EXPECT_EQ(dialogs.ChooseFileToSave(), std::nullopt);
    EXPECT_EQ(proposed, Shown(typedFolder.path().toStdString(), "typed.txt"));
}

TEST_F(QtGunFileDialogsTest, OpenAcceptsAFileThatDoesNotExist) {
    QFileDialog* dialog = dialogs.OpenDialog1();
    QTimer::singleShot(0, dialog,
                       [&] { TypeNameAndPressEnter(dialog, QStringLiteral("none.txt")); });
    EXPECT_EQ(dialogs.ChooseFileToOpen(), startFolder.filePath(QStringLiteral("none.txt")));
    QTimer::singleShot(0, dialog, [&] { dialog->reject(); });
    EXPECT_EQ(dialogs.ChooseFileToOpen(), std::nullopt);
}

}  // namespace
