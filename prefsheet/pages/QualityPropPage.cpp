#include "QualityPropPage.h"

// Placeholder until the page's rules land; the page shows its template only.
QualityPropPage::QualityPropPage(const PageContext& context) : QualityPropPage(context, true) {}

QualityPropPage::QualityPropPage(const PageContext& context, bool mediaSense)
    : context_(context), mediaSense_(mediaSense)
{
}

void QualityPropPage::Refresh(View&) {}

void QualityPropPage::OnInit(View& view)
{
    Refresh(view);
}

bool QualityPropPage::OnCommand(View&, int, Notify)
{
    return false;
}
