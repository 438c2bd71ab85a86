// The recovery step's preview pane. This first form only holds the
// thumbnail view the document reloads after listing a folder's pictures.
#pragma once

class CThumbView;

class CMainPreviewView
{
public:
    CThumbView* m_pThumbView = nullptr;
};
