#pragma once
// What a frame needs to build its views: passed through window creation to OnCreateClient.
struct CRuntimeClass;
class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;

struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;   // the view to create, or null
    CDocument* m_pCurrentDoc = nullptr;         // the document the new view shows
    CDocTemplate* m_pNewDocTemplate = nullptr;  // the template of a new frame
    CView* m_pLastView = nullptr;               // the view of the frame a new window copies
    CFrameWnd* m_pCurrentFrame = nullptr;
};
