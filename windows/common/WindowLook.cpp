#include "windows/common/WindowLook.h"

#include "services/Version.h"
#include "windows/common/QtMessageBox.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QTranslator>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>

// The icons live in a static library, where nothing would otherwise pull their resource in.
static void initIconResource()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace vkt {

bool loadQtHungarian(QApplication& app)
{
    // Parented to the application, so it lives exactly as long as the texts it translates.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

void applyProgramLook(QApplication& app)
{
    // The name places the user's data folder (vkt/Pic under the XDG data home) and the window's
    // class, whatever the executable is called.
    QCoreApplication::setApplicationName(QStringLiteral("vkt"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    // Without it the program still works; Qt's own texts then stay English.
    loadQtHungarian(app);
    // Fusion paints a button's palette colour as its face; native styles may not.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // A substitute must be a face the font database lists: fontconfig's aliases (Times New Roman,
    // Arial) are not among them, so the Liberation faces they stand for follow them.
    QFont::insertSubstitutions(QStringLiteral("Times New Roman CE"),
                               {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier"),
                               {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    app.setWindowIcon(windowIcon());
    // Message boxes and menus too, though every window also sets its own colours. A widget with
    // a style sheet of its own (the coloured buttons, the calendar's title bar) takes its window's
    // palette like any other instead of the application's.
    app.setPalette(programPalette());
    QApplication::setAttribute(Qt::AA_UseStyleSheetPropagationInWidgetStyles);
    installMessageBoxSink();
}

QIcon windowIcon()
{
    initIconResource();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/vkt-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/vkt-32@2x.png"), QSize(64, 64));
    icon.addFile(QStringLiteral(":/icons/vkt-256.png"), QSize(256, 256));
    return icon;
}

QFont programFont(const QString& family, double points, QFont::Weight weight, bool italic)
{
    QFont font(family);
    font.setPixelSize(fontPixels(points));
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

void setFrame(QWidget* window, Frame frame, Minimise minimise)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (minimise == Minimise::On)
        flags |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);
    window->setWindowIcon(windowIcon());
    if (frame == Frame::Fixed)
        window->setFixedSize(window->sizeHint().expandedTo(window->minimumSize()));
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(available.center());
    // A window larger than a small or strongly scaled screen keeps its title bar and left edge
    // on the screen, so it can still be moved; its right or bottom part goes off instead.
    frame.moveTopLeft(QPoint(std::max(frame.left(), available.left()), std::max(frame.top(), available.top())));
    window->move(frame.topLeft());
}

QPalette programPalette()
{
    const QColor light = colours::White, mid(0xA0, 0xA0, 0xA0), dark(0x69, 0x69, 0x69);
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::WindowText, colours::Black},   {QPalette::Button, colours::Face},
        {QPalette::Light, light},                 {QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3)},
        {QPalette::Dark, dark},                   {QPalette::Mid, mid},
        {QPalette::Text, colours::Black},         {QPalette::BrightText, colours::White},
        {QPalette::ButtonText, colours::Black},   {QPalette::Base, colours::White},
        {QPalette::Window, colours::Face},        {QPalette::Shadow, colours::Black},
        {QPalette::Highlight, colours::Highlight}, {QPalette::HighlightedText, colours::White},
        {QPalette::Link, QColor(0x00, 0x00, 0xFF)}, {QPalette::LinkVisited, QColor(0x80, 0x00, 0x80)},
        {QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7)}, {QPalette::NoRole, colours::Black},
        {QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC)}, {QPalette::ToolTipText, colours::Black},
        {QPalette::PlaceholderText, colours::Grey},
    };
    QPalette palette;
    for (const auto& [role, colour] : roles)
        palette.setColor(QPalette::All, role, colour);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, colours::Grey);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, colours::Grey);
    palette.setResolveMask(~QPalette::ResolveMask(0));  // set, not left to the application's palette
    return palette;
}

void setColours(QWidget* widget, const QColor& background, const QColor& text)
{
    QPalette palette = widget->palette().resolve(programPalette());
    palette.setResolveMask(~QPalette::ResolveMask(0));
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    if (text.isValid()) {
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void passColoursOn(QWidget* window)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (widget != window && widget->isWindow()) {
            // A pop-up (a menu, a list's drop-down) belongs to no window's palette but its own.
            if (!widget->testAttribute(Qt::WA_SetPalette))
                widget->setPalette(window->palette());
            continue;
        }
        // Qt passes a palette or font on only when it changes.
        if (widget == window || widget->testAttribute(Qt::WA_SetPalette)) {
            const QPalette own = widget->palette();
            widget->setPalette(QPalette());
            widget->setPalette(own);
        }
        if (widget->testAttribute(Qt::WA_SetFont)) {
            const QFont own = widget->font();
            widget->setFont(QFont());
            widget->setFont(own);
        }
    }
}

void setBoxColours(QWidget* box, const QColor& face, const QColor& text)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, colours::Face);
    palette.setColor(QPalette::Base, face);
    palette.setColor(QPalette::Text, text);
    box->setPalette(palette);
}

QPushButton* colouredButton(QWidget* parent, const QString& caption, const QColor& face, const QFont& font,
                            const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    // A style sheet is the one way a face colour holds under every style.
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %3; border: 1px solid #404040;"
                                         " border-radius: 2px; padding: 0px; }"
                                         " QPushButton:pressed { background-color: %2; }"
                                         " QPushButton:focus { border: 2px solid #202020; }")
                              .arg(face.name(), face.darker(115).name(), colours::Black.name()));
    button->setFont(font);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLabel* wrappedLabel(QWidget* parent, const QString& text, const QFont& font, const QRect& geometry,
                    const QColor& textColour, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(alignment);
    if (textColour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, textColour);
        label->setPalette(palette);
    }
    return label;
}

} // namespace vkt
