#include "draw/DrawCircle.h"
#include "draw/DrawElliptic.h"
#include "draw/DrawErase.h"
#include "draw/DrawLine.h"
#include "draw/DrawObj.h"
#include "draw/DrawPen.h"
#include "draw/DrawRect.h"
#include "draw/DrawSettings.h"

CDrawObj* CreateDrawObj(int toolId)
{
    CDrawObj* obj = nullptr;
    switch (toolId) {
    case TOOL_ERASE:
        return new CDrawErase;
    case TOOL_PEN:
        return new CDrawPen;
    case TOOL_LINE:
        return new CDrawLine;
    case TOOL_RECTANGLE:
    case TOOL_RECTFILL:
        obj = new CDrawRect;
        break;
    case TOOL_CIRCLE:
    case TOOL_CIRCLEFILL:
        obj = new CDrawCircle;
        break;
    case TOOL_ELLIPSE:
    case TOOL_ELLIPSEFILL:
        obj = new CDrawElliptic;
        break;
    default:
        return nullptr;
    }
    obj->SetFill(toolId == TOOL_RECTFILL || toolId == TOOL_CIRCLEFILL || toolId == TOOL_ELLIPSEFILL);
    return obj;
}
