#pragma once

#include <QString>
#include <functional>

namespace app {

// Layout of the message dialog MessageDialog, in twips (1/1440 inch). The base dialog is 5355 wide
// and 2760 high; the label 4860 wide; the buttons at top 2250 with lefts 1440 (cmdyes),
// 2115 (cmdok) and 2790 (cmdno).
struct MessageLayout
{
    static constexpr double kBaseWidth = 5355;
    static constexpr double kBaseHeight = 2760;
    static constexpr double kBaseLabelWidth = 4860;
    static constexpr double kBaseButtonTop = 2250;
    static constexpr double kBaseYesLeft = 1440;
    static constexpr double kBaseOkLeft = 2115;
    static constexpr double kBaseNoLeft = 2790;
    // Our own choices: the label's designed top and left, the buttons' size.
    static constexpr double kLabelTop = 200;
    static constexpr double kLabelLeft = (kBaseWidth - kBaseLabelWidth) / 2;
    static constexpr double kButtonWidth = 1125;
    static constexpr double kButtonHeight = 375;

    int k = 0;        // growth step reached (0, 2, 4 ...)
    bool fits = true; // false: the dialog stopped growing at 6/10 of the screen height
    double width = kBaseWidth;
    double height = kBaseHeight;
    double labelLeft = kLabelLeft;
    double labelWidth = kBaseLabelWidth;
    double labelTop = kLabelTop;
    double labelHeight = 0;
    double buttonTop = kBaseButtonTop;
    double yesLeft = kBaseYesLeft;
    double okLeft = kBaseOkLeft;
    double noLeft = kBaseNoLeft;
};

// Fits a text: labelHeight(width) gives the height (twips) of the label showing the text at
// that width. With k = 0, 2, 4 ...: when the label is lower than the buttons' top minus 200 the
// text fits and the label is centred in the space above the buttons; otherwise the dialog
// grows — height 2760 x (1 + k/10), width, label width and button lefts x (1 + (k - 1)/10),
// button top 2250 x (1 + k/10) — until the dialog's height reaches 6/10 of screenHeight, where
// it stops with the label at its designed top.
MessageLayout fitMessage(const std::function<double(double labelWidth)>& labelHeight, double screenHeight);

// The label's top in the error view (Ctrl+End) from the length of the trimmed text: under 60
// characters 850, under 120 700, under 180 550, under 240 400, otherwise 200.
double errorViewLabelTop(qsizetype trimmedLength);

// The prefix that asks for a left-aligned message.
inline const QString kLeftAlignPrefix = QStringLiteral("(căn trái)");
// True when the first 10 characters of text equal "(căn trái)" in any letter case; the prefix
// is then removed from text.
bool takeLeftAlignPrefix(QString& text);

} // namespace app
