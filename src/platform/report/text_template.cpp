#include "text_template.h"

#include <QRegularExpression>
#include <kainjow/mustache.hpp>

namespace report {

namespace mus = kainjow::mustache;

struct TextTemplate::Impl
{
    explicit Impl(const std::string& text) : engine(text) {}
    mus::mustache engine;
};

namespace {

std::string htmlEscape(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size() + 16);
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '\r':
            break;
        case '\n':
            out += "<br/>";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string noEscape(const std::string& utf8)
{
    return utf8;
}

QStringList tagNames(const QString& text)
{
    // {{name}}, {{{name}}}, {{&name}}, {{#name}}, {{^name}}; closing tags repeat a name already
    // seen and comments {{! ...}} name nothing.
    static const QRegularExpression tag(QStringLiteral(R"(\{\{\{?\s*([#^&/!>]?)\s*([^}]*?)\s*\}?\}\})"));
    QStringList names;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const QString kind = match.captured(1);
        const QString name = match.captured(2);
        if (kind == u"!" || kind == u"/" || name.isEmpty() || names.contains(name))
            continue;
        names.append(name);
    }
    return names;
}

} // namespace

TextTemplate TextTemplate::compile(const QString& text, Escape escape, QString* error)
{
    if (error)
        error->clear();
    TextTemplate result;
    auto impl = std::make_shared<Impl>(text.toStdString());
    if (!impl->engine.is_valid()) {
        if (error)
            *error = QString::fromStdString(impl->engine.error_message());
        return result;
    }
    impl->engine.set_custom_escape(escape == Escape::Html ? htmlEscape : noEscape);
    result.m_impl = std::move(impl);
    result.m_source = text;
    result.m_names = tagNames(text);
    result.m_constant = !text.contains(QLatin1String("{{"));
    return result;
}

QString TextTemplate::render(const TemplateValues& values) const
{
    if (!m_impl)
        return {};
    if (m_constant)
        return m_source;
    mus::data data;
    for (const auto& [name, value] : values) {
        const std::string key = name.toStdString();
        if (value.typeId() == QMetaType::Bool) {
            data.set(key, mus::data(value.toBool()));
        } else {
            const QString text = value.toString();
            if (text.isEmpty())
                data.set(key, mus::data(false));
            else
                data.set(key, mus::data(text.toStdString()));
        }
    }
    return QString::fromStdString(m_impl->engine.render(data));
}

} // namespace report
