#pragma once
// A captioned group of radio buttons chosen by item index, the items spread evenly over the
// group's height.

#include <QStringList>
#include <vector>

#include "common/EtchedGroupBox.h"

class QButtonGroup;
class QRadioButton;

class RadioGroup : public EtchedGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent);

    int ItemIndex() const;
    void SetItemIndex(int index);  // does not emit Clicked
    int ItemCount() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* Item(int index) const { return buttons_.at(static_cast<size_t>(index)); }

signals:
    // The user chose another item.
    void Clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ArrangeItems();

    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    int reportedIndex_ = -1;
};
