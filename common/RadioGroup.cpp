#include "common/RadioGroup.h"

#include <QButtonGroup>
#include <QProxyStyle>
#include <QRadioButton>

namespace {

// The gap between a radio item's circle and its text, as narrow as in a classic radio group:
// the widest items of the narrow axis groups, "Piston Pressure  [MPa]" and "Piston Temperature
// [K]", then end clear of the group's frame.
class CompactRadioStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_RadioButtonLabelSpacing) {
            return RadioLabelSpacing;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    static constexpr int RadioLabelSpacing = 3;  // pixels
};

}  // namespace

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : EtchedGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        buttons_.push_back(button);
    }
    // A click on the item already chosen changes nothing and reports nothing.
    connect(group_, &QButtonGroup::idClicked, this, [this](int index) {
        if (index != reportedIndex_) {
            reportedIndex_ = index;
            emit Clicked();
        }
    });
    // A widget must not outlive its style: the items, created before it, are destroyed first.
    auto* style = new CompactRadioStyle;
    style->setParent(this);
    for (QRadioButton* button : buttons_) {
        button->setStyle(style);
    }
    ArrangeItems();
}

int RadioGroup::ItemIndex() const {
    return group_->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
    if (index >= 0 && index < ItemCount()) {
        buttons_[static_cast<size_t>(index)]->setChecked(true);
        reportedIndex_ = index;
    }
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    EtchedGroupBox::resizeEvent(event);
    ArrangeItems();
}

void RadioGroup::ArrangeItems() {
    if (buttons_.empty()) {
        return;
    }
    // One column inside the frame, below the caption; the height is shared out evenly, the
    // remainder split above and below.
    const QRect inside = InsideFrame();
    const int count = static_cast<int>(buttons_.size());
    const int itemHeight = inside.height() / count;
    const int top = inside.top() + (inside.height() % count) / 2;
    for (int i = 0; i < count; ++i) {
        // The full width, so that the longest item of a narrow group still fits.
        buttons_[static_cast<size_t>(i)]->setGeometry(3, top + i * itemHeight, width() - 5,
                                                      itemHeight);
    }
}
