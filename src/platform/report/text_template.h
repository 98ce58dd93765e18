#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace report {

// Values a template is rendered with, by name. A QString value prints as given; a bool (or an
// empty text, which counts as false) only decides whether a section {{#name}}...{{/name}} shows
// and an inverted one {{^name}}...{{/name}} hides.
using TemplateValues = QList<QPair<QString, QVariant>>;

// A Mustache template of a report file: {{name}} prints a value, {{#name}}...{{/name}} shows its
// content when the value is a non-empty text or true, {{^name}}...{{/name}} when it is not.
// Names are case-sensitive. A name without a value prints nothing.
class TextTemplate
{
public:
    enum class Escape
    {
        Html, // values are HTML-escaped and their line breaks become <br/>: for HTML blocks
        None, // values are copied as they are: for plain-text cells and captions
    };

    TextTemplate() = default; // empty template: renders ""

    // Compiles text. On a malformed template (an unclosed or mismatched section) returns an
    // empty template and puts the engine's explanation into error; error is cleared otherwise.
    static TextTemplate compile(const QString& text, Escape escape, QString* error);

    bool isEmpty() const { return !m_impl; }
    QString source() const { return m_source; }
    // Every name the template uses in a variable or a section, each once, in order of use.
    QStringList names() const { return m_names; }
    // True when the template contains no tag at all (it always renders its own text).
    bool isConstant() const { return m_constant; }

    QString render(const TemplateValues& values) const;

private:
    struct Impl;
    std::shared_ptr<Impl> m_impl;
    QString m_source;
    QStringList m_names;
    bool m_constant = true;
};

} // namespace report
