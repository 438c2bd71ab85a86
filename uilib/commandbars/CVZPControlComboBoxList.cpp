#include "CVZPControlComboBoxList.h"

IMPLEMENT_DYNCREATE(CVZPControlComboBoxList, CVZPPopupBar)

CVZPControlComboBoxList::CVZPControlComboBoxList()
{
    m_barPosition = vzpBarListBox;
}

CVZPControlComboBoxList::~CVZPControlComboBoxList()
{
}
