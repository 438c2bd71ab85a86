// A growable table of string rows: the renderer's bookkeeping of links,
// forms, form controls, history and attribute lists. Reading a row that
// does not exist gives an empty row, so missing cells read as "".
#pragma once

#include "CHtmlStringList.h"

class CHtmlStringTable
{
public:
    CHtmlStringTable() = default;
    ~CHtmlStringTable();
    CHtmlStringTable(const CHtmlStringTable&) = delete;
    CHtmlStringTable& operator=(const CHtmlStringTable&) = delete;

    // Appends an empty row; returns the new row count.
    int AddRow();
    // Appends a cell to a row; 0 when the row is out of range.
    int AppendCell(int row, const wchar_t* text, int length = -1);
    // Replaces a cell; 0 when the row or column is out of range.
    int SetCell(int row, int column, const wchar_t* text, int length = -1);
    // The row, or the empty sentinel row when out of range.
    const CHtmlStringList& GetRow(int row) const;
    const wchar_t* GetCell(int row, int column) const { return GetRow(row).Get(column); }
    // Frees the row; later rows move up.
    void RemoveRow(int row);
    // Removes every row, the last first.
    void Clear();
    int GetRowCount() const { return (int)m_rows.size(); }

private:
    std::vector<CHtmlStringList*> m_rows;
    const CHtmlStringList m_empty;
};
