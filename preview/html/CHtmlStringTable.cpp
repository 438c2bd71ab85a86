#include "CHtmlStringTable.h"

CHtmlStringTable::~CHtmlStringTable()
{
    Clear();
}

int CHtmlStringTable::AddRow()
{
    m_rows.push_back(new CHtmlStringList);
    return GetRowCount();
}

int CHtmlStringTable::AppendCell(int row, const wchar_t* text, int length)
{
    if (row < 0 || row >= GetRowCount())
        return 0;
    return m_rows[row]->Append(text, length);
}

int CHtmlStringTable::SetCell(int row, int column, const wchar_t* text, int length)
{
    if (row < 0 || row >= GetRowCount())
        return 0;
    return m_rows[row]->Set(column, text, length);
}

const CHtmlStringList& CHtmlStringTable::GetRow(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return m_empty;
    return *m_rows[row];
}

void CHtmlStringTable::RemoveRow(int row)
{
    if (row < 0 || row >= GetRowCount())
        return;
    delete m_rows[row];
    m_rows.erase(m_rows.begin() + row);
}

void CHtmlStringTable::Clear()
{
    while (!m_rows.empty()) {
        delete m_rows.back();
        m_rows.pop_back();
    }
}
