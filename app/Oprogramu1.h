#pragma once
// The about window: title, version, author, date, contact, literature and a usage notice.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class BevelPanel;

class Toprogramu : public QDialog {
    Q_OBJECT
public:
    explicit Toprogramu(QWidget* parent = nullptr);

    BevelPanel* Panel1;
    QLabel* Label3;
    BevelPanel* Panel2;
    QLabel* Label8;
    QLabel* Label7;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QPlainTextEdit* Memo1;
};
