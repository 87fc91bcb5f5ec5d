#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

namespace vkt::testing {

// Every accessible object of a window, depth first, the window itself included.
inline void walkAccessible(QWidget* window, const std::function<void(QAccessibleInterface*)>& visit)
{
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (!node)
            return;
        visit(node);
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
}

// The shown inputs, buttons, lists, tables and pictures that a screen reader could not name,
// as "objectName (role number)" joined with commas; empty when every one has a name.
inline std::string unnamedControls(QWidget* window)
{
    QStringList unnamed;
    walkAccessible(window, [&](QAccessibleInterface* node) {
        switch (node->role()) {
        case QAccessible::EditableText:
        case QAccessible::PushButton:
        case QAccessible::ComboBox:
        case QAccessible::List:
        case QAccessible::SpinBox:
        case QAccessible::Table:
        case QAccessible::Graphic:
            if (!node->state().invisible && node->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << QStringLiteral("%1 (role %2)")
                               .arg(node->object() ? node->object()->objectName() : QString())
                               .arg(int(node->role()));
            break;
        default:
            break;
        }
    });
    return unnamed.join(QStringLiteral(", ")).toStdString();
}

// All text a screen reader can read as text in the window, one object's text to a line.
inline QString accessibleText(QWidget* window)
{
    QStringList texts;
    walkAccessible(window, [&](QAccessibleInterface* node) {
        if (QAccessibleTextInterface* text = node->textInterface())
            texts << text->text(0, text->characterCount());
    });
    return texts.join(u'\n');
}

} // namespace vkt::testing
