#include "bound_control.h"

namespace ui {

BoundControl::~BoundControl()
{
    if (m_source)
        m_source->unbind(this);
}

void BoundControl::setDataSource(BindingSource* source)
{
    if (m_source == source)
        return;
    if (m_source)
        m_source->unbind(this);
    m_source = source;
    if (m_source)
        m_source->bind(this);
}

void BoundControl::setDataField(const QString& field)
{
    m_field = field;
    if (m_source)
        m_source->bind(this);
}

void BoundControl::bind(BindingSource* source, const QString& field)
{
    m_field = field;
    if (m_source == source) {
        if (m_source)
            m_source->bind(this);
        return;
    }
    setDataSource(source);
}

} // namespace ui
