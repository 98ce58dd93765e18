#include "message_layout.h"

namespace app {

MessageLayout fitMessage(const std::function<double(double labelWidth)>& labelHeight, double screenHeight)
{
    MessageLayout layout;
    for (;;) {
        layout.labelHeight = labelHeight(layout.labelWidth);
        if (layout.labelHeight < layout.buttonTop - 200) {
            layout.labelTop = (layout.buttonTop - 200 - layout.labelHeight) / 2;
            layout.fits = true;
            return layout;
        }
        layout.k += 2;
        const double tall = 1 + layout.k / 10.0;
        const double wide = 1 + (layout.k - 1) / 10.0;
        layout.height = MessageLayout::kBaseHeight * tall;
        layout.width = MessageLayout::kBaseWidth * wide;
        layout.labelWidth = MessageLayout::kBaseLabelWidth * wide;
        layout.yesLeft = MessageLayout::kBaseYesLeft * wide;
        layout.okLeft = MessageLayout::kBaseOkLeft * wide;
        layout.noLeft = MessageLayout::kBaseNoLeft * wide;
        layout.buttonTop = MessageLayout::kBaseButtonTop * tall;
        if (layout.height >= screenHeight * 6 / 10) {
            layout.labelHeight = labelHeight(layout.labelWidth);
            layout.labelTop = MessageLayout::kLabelTop;
            layout.fits = false;
            return layout;
        }
    }
}

double errorViewLabelTop(qsizetype trimmedLength)
{
    if (trimmedLength < 60)
        return 850;
    if (trimmedLength < 120)
        return 700;
    if (trimmedLength < 180)
        return 550;
    if (trimmedLength < 240)
        return 400;
    return 200;
}

bool takeLeftAlignPrefix(QString& text)
{
    const QString head = text.left(kLeftAlignPrefix.size());
    if (head.compare(kLeftAlignPrefix, Qt::CaseInsensitive) != 0)
        return false;
    text.remove(0, kLeftAlignPrefix.size());
    return true;
}

} // namespace app
