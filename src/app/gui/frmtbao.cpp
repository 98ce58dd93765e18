#include "frmtbao.h"

#include "app/core/last_error.h"

#include "platform/ui/hourglass.h"
#include "platform/ui/key_codes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace app {
namespace {

QString shownText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true); // Enter presses the button that has the focus
    b->hide();               // as designed: a mode shows the buttons it needs
    return b;
}

} // namespace

MessageDialog::MessageDialog(QWidget* parent)
    : ui::FormBase(parent, ui::kFixedDialog), Label1(new QLabel(this)),
      cmdyes(button(QStringLiteral("cmdyes"), QStringLiteral("&Có"), this)),
      cmdok(button(QStringLiteral("cmdok"), QStringLiteral("&OK"), this)),
      cmdno(button(QStringLiteral("cmdno"), QStringLiteral("&Không"), this))
{
    setObjectName(QStringLiteral("frmtbao"));
    setWindowTitle(QStringLiteral("Thông báo"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont font = Label1->font();
    font.setPointSizeF(11);
    Label1->setFont(font);
    setTabOrder(cmdyes, cmdok);
    setTabOrder(cmdok, cmdno);
    connect(cmdyes, &QPushButton::clicked, this, [this] { giveAnswer(QStringLiteral("yes")); });
    connect(cmdok, &QPushButton::clicked, this, [this] { giveAnswer(QStringLiteral("ok")); });
    connect(cmdno, &QPushButton::clicked, this, [this] { giveAnswer(QStringLiteral("no")); });
}

double MessageDialog::dpiX() const
{
    const QScreen* s = screen();
    return s ? s->logicalDotsPerInchX() : 96.0;
}

double MessageDialog::dpiY() const
{
    const QScreen* s = screen();
    return s ? s->logicalDotsPerInchY() : 96.0;
}

int MessageDialog::pixelsX(double twips) const
{
    return static_cast<int>(std::lround(twips * dpiX() / 1440.0));
}

int MessageDialog::pixelsY(double twips) const
{
    return static_cast<int>(std::lround(twips * dpiY() / 1440.0));
}

double MessageDialog::twipsY(int pixels) const
{
    return pixels * 1440.0 / dpiY();
}

QString MessageDialog::show(const QString& thongbao, const QString& kieuthongbao)
{
    if (isLoaded())
        unload(); // a notice still open gives way to the new message
    m_message = thongbao;
    m_kind = kieuthongbao;
    load();
    const QString mode = kieuthongbao.toLower();
    if (mode == QLatin1String("ok") || mode == QLatin1String("yesno")) {
        showModal();
        if (isLoaded())
            unload();
        return m_answer;
    }
    showModeless();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return QString();
}

void MessageDialog::closeNotice()
{
    if (isLoaded())
        unload();
}

double MessageDialog::labelHeightTwips(const QString& text, double widthTwips) const
{
    QLabel probe;
    probe.setTextFormat(Qt::PlainText);
    probe.setWordWrap(true);
    probe.setFont(Label1->font());
    probe.setText(shownText(text));
    return twipsY(probe.heightForWidth(pixelsX(widthTwips)));
}

void MessageDialog::Form_Load()
{
    const QString mode = m_kind.toLower();
    m_answer.clear();

    // 1. Buttons by mode.
    if (mode == QLatin1String("yesno")) {
        cmdyes->show();
        cmdno->show();
        cmdok->hide();
    } else if (mode == QLatin1String("ok")) {
        cmdok->show();
        cmdyes->hide();
        cmdno->hide();
    }

    // 2. Fit the text.
    const QScreen* s = screen();
    const double screenHeight = s ? twipsY(s->geometry().height()) : 11520.0;
    const QString text = m_message;
    m_layout = fitMessage([this, &text](double width) { return labelHeightTwips(text, width); }, screenHeight);

    // 3. Left alignment on request.
    if (takeLeftAlignPrefix(m_message))
        Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    else
        Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    // 4. The text again, the default pointer, no saved message.
    showLabelText(m_message);
    applyLayout();
    if (QScreen* screenNow = screen()) {
        const QRect area = screenNow->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    if (mode == QLatin1String("yesno"))
        ui::setInitialFocus(cmdyes);
    else if (mode == QLatin1String("ok"))
        ui::setInitialFocus(cmdok);
    ui::setDefaultPointer();
    m_saved.clear();
    m_ctrlEndDown = false;
}

void MessageDialog::showLabelText(const QString& text)
{
    Label1->setText(shownText(text));
    m_layout.labelHeight = twipsY(Label1->heightForWidth(pixelsX(m_layout.labelWidth)));
}

void MessageDialog::applyLayout()
{
    setFixedSize(pixelsX(m_layout.width), pixelsY(m_layout.height));
    // A label taller than the room above the buttons is cut there rather than drawn under them.
    const double room = m_layout.buttonTop - m_layout.labelTop;
    const double labelHeight = std::min(m_layout.labelHeight, std::max(0.0, room));
    Label1->setGeometry(pixelsX(m_layout.labelLeft), pixelsY(m_layout.labelTop), pixelsX(m_layout.labelWidth),
                        pixelsY(labelHeight));
    const int top = pixelsY(m_layout.buttonTop);
    const int w = pixelsX(MessageLayout::kButtonWidth);
    const int h = pixelsY(MessageLayout::kButtonHeight);
    cmdyes->setGeometry(pixelsX(m_layout.yesLeft), top, w, h);
    cmdok->setGeometry(pixelsX(m_layout.okLeft), top, w, h);
    cmdno->setGeometry(pixelsX(m_layout.noLeft), top, w, h);
}

ui::UnloadResult MessageDialog::Form_Unload()
{
    if (m_answer.isEmpty()) {
        // Closed without a button (close box, Esc).
        const QString mode = m_kind.toLower();
        if (mode == QLatin1String("yesno"))
            m_answer = QStringLiteral("no");
        else if (mode == QLatin1String("ok"))
            m_answer = QStringLiteral("ok");
    }
    cmdyes->hide();
    cmdok->hide();
    cmdno->hide();
    ui::setDefaultPointer();
    return ui::UnloadResult::Unload;
}

void MessageDialog::giveAnswer(const QString& traloi)
{
    m_answer = traloi;
    unload();
}

ui::KeyResult MessageDialog::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode == ui::key::Escape && shift == ui::shift::None) {
        close();
        return ui::KeyResult::Consumed;
    }
    if (keyCode == ui::key::End && shift == ui::shift::Ctrl)
        m_ctrlEndDown = true;
    return ui::KeyResult::Pass;
}

void MessageDialog::Form_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift)
    // Ctrl+End acts when the first of its two keys is released, whichever that is.
    if (!m_ctrlEndDown || (keyCode != ui::key::End && keyCode != ui::key::Control))
        return;
    m_ctrlEndDown = false;
    if (m_kind.compare(QLatin1String("ok"), Qt::CaseInsensitive) == 0)
        toggleErrorView();
}

void MessageDialog::toggleErrorView()
{
    if (m_saved.isEmpty()) {
        m_saved = m_message;
        const RunTimeError error = lastError();
        m_message = QStringLiteral("Lỗi ") + QString::number(error.number) + QStringLiteral(" (") + error.description +
                    QStringLiteral(").");
    } else {
        m_message = m_saved;
        m_saved.clear();
    }
    m_layout.labelTop = errorViewLabelTop(m_message.trimmed().size());
    showLabelText(m_message);
    applyLayout();
    ui::setDefaultPointer();
    repaint();
}

} // namespace app
