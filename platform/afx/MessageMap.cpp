#include "platform/afx/MessageMap.h"

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

bool AfxDispatchThroughMap(CWnd* target, const AFX_MSGMAP* map, UINT key, UINT code, UINT id, UINT message,
    WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(map, key, code, id);
    if (!entry)
        return false;
    LRESULT r = 0;
    if (!entry->pfn(target, message, wParam, lParam, &r))
        return false;
    if (result)
        *result = r;
    return true;
}
