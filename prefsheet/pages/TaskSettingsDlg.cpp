#include "TaskSettingsDlg.h"

#include "AdvancePropPage.h"
#include "CAdvColorOptionsPropPage.h"
#include "MaintainPropPage.h"
#include "Options.h"
#include "PageSetupPropPage.h"
#include "PosterPropPage.h"
#include "QualityPropPage.h"
#include "ResourceIds.h"

#include <cstring>

namespace {

struct Frame {
    int templateId;
    TaskPage page;
};
const Frame kFrames[] = {
    {IDD_ALT_PAPER, TaskPage::Paper},          {IDD_ALT_LAYOUT, TaskPage::Layout},
    {IDD_ALT_WATERMARK, TaskPage::Watermark},  {IDD_TASK_QUALITY, TaskPage::Quality},
    {IDD_TASK_PAPER, TaskPage::Paper},         {IDD_TASK_LAYOUT, TaskPage::Layout},
    {IDD_TASK_POSTER, TaskPage::Poster},       {IDD_TASK_WATERMARK, TaskPage::Watermark},
    {IDD_TASK_COLOR, TaskPage::Color},         {IDD_TASK_MAINTENANCE, TaskPage::Maintenance},
};

template <typename Page>
std::unique_ptr<DialogPage> withModel(std::unique_ptr<Page> page, GUIPrinter* model)
{
    page->SetPrinter(model);
    return page;
}

bool qualityWithMediaSense(const ProductOptions& product)
{
    return !Options(product).equals(OptionKey::IDO_AUTOMEDIASENSE_AUTOQUALITY, 0);
}

}  // namespace

namespace TaskPages {

bool PageOfFrame(int frameTemplateId, TaskPage& page)
{
    for (const Frame& f : kFrames)
        if (f.templateId == frameTemplateId) {
            page = f.page;
            return true;
        }
    return false;
}

int PageTemplate(TaskPage page, const ProductOptions& product)
{
    switch (page) {
    case TaskPage::Quality:
        return qualityWithMediaSense(product) ? IDD_QUALITY : IDD_QUALITY_NO_MEDIA_SENSE;
    case TaskPage::Paper:
        return IDD_PAGESETUP;
    case TaskPage::Layout:
        return IDD_ADVANCED;
    case TaskPage::Poster:
        return IDD_POSTER;
    case TaskPage::Watermark:
        return IDD_WATERMARK_TAB;
    case TaskPage::Color:
        return IDD_ADV_COLOR_OPTIONS;
    case TaskPage::Maintenance:
        return IDD_MAINTENANCE;
    }
    return IDD_PAGESETUP;
}

std::unique_ptr<DialogPage> MakePage(TaskPage page, const PageContext& context, const ScreenFonts& fonts,
                                     GUIPrinter* model)
{
    switch (page) {
    case TaskPage::Quality:
        if (qualityWithMediaSense(context.product))
            return withModel(std::make_unique<QualityPropPage>(context), model);
        return withModel(std::make_unique<QualityPropPageNoMediaSense>(context), model);
    case TaskPage::Paper:
        return withModel(std::make_unique<PageSetupPropPage>(context), model);
    case TaskPage::Layout:
        return withModel(std::make_unique<AdvancePropPage>(context), model);
    case TaskPage::Poster:
        return withModel(std::make_unique<PosterPropPage>(context), model);
    case TaskPage::Watermark:
        return withModel(std::make_unique<CWatermarkTabPropPage>(context, fonts), model);
    case TaskPage::Color:
        return withModel(std::make_unique<CAdvColorOptionsPropPage>(context), model);
    case TaskPage::Maintenance:
        return withModel(std::make_unique<MaintainPropPage>(context), model);
    }
    return nullptr;
}

std::vector<FontFamily> NoFonts()
{
    return {};
}

}  // namespace TaskPages

FramedPage::FramedPage(const PageContext& context, ScreenFonts fonts, int frameTemplateId)
    : context_(context), fonts_(fonts ? std::move(fonts) : ScreenFonts(TaskPages::NoFonts)),
      frameTemplate_(frameTemplateId)
{
}

void FramedPage::SetPrinter(GUIPrinter* model)
{
    model_ = model;
    TaskPage kind = TaskPage::Paper;
    TaskPages::PageOfFrame(frameTemplate_, kind);
    page_ = TaskPages::MakePage(kind, context_, fonts_, model);
}

void FramedPage::OnInit(View& view)
{
    TaskPage kind = TaskPage::Paper;
    TaskPages::PageOfFrame(frameTemplate_, kind);
    const std::vector<SheetPage> pages = {
        {TaskPages::PageTemplate(kind, context_.product), std::string(), page_.get()}};
    if (page_ == nullptr || !view.EmbedSheet(IDC_FRAME_PAGE, 0, pages))
        context_.trace.OutputData("FramedPage: the page of frame " + std::to_string(frameTemplate_) +
                                  " could not be made");
}

ModelSnapshot::ModelSnapshot(const GUIPrinter& model)
    : watermarks_(model.Features().GetCurWatermarkCount()),
      status_(model.StatusOptions()),
      autoMedia1_(model.GetAutoMediaValue1()),
      autoMedia2_(model.GetAutoMediaValue2()),
      envelopeMode_(model.GetEnvelopeMode()),
      rememberedQuality_(model.GetRememberedQuality()),
      showIWantToMenu_(model.GetShowIWantToMenu())
{
    std::memset(&record_, 0, sizeof record_);
    model.SaveTo(record_);
    if (!watermarks_.empty())
        model.Features().GetCurWatermarkList(watermarks_.data());
}

void ModelSnapshot::Restore(GUIPrinter& model) const
{
    model.LoadFrom(record_);
    model.Features().SetCurWatermarkList(watermarks_.data(), static_cast<uint32_t>(watermarks_.size()));
    model.StatusOptions() = status_;
    model.SetAutoMediaValue1(autoMedia1_);
    model.SetAutoMediaValue2(autoMedia2_);
    model.SetEnvelopeMode(envelopeMode_);
    model.SetRememberedQuality(rememberedQuality_);
    model.SetShowIWantToMenu(showIWantToMenu_);
}

TaskSettingsDlg::TaskSettingsDlg(const PageContext& context, ScreenFonts fonts, GUIPrinter* model, int templateId)
    : FramedPage(context, std::move(fonts), templateId)
{
    SetPrinter(model);
}

void TaskSettingsDlg::OnInit(View& view)
{
    opened_ = std::make_unique<ModelSnapshot>(*model_);
    FramedPage::OnInit(view);
}

bool TaskSettingsDlg::OnCommand(View& view, int id, Notify code)
{
    if (id != IDC_TASK_HELP || code != Notify::Clicked)
        return false;
    view.OpenHelp(Options(context_.product).text(OptionKey::IDO_PROP_HELPFILE), "",
                  static_cast<uint32_t>(FrameTemplate()));
    return true;
}

void TaskSettingsDlg::OnCancel(View& view)
{
    view.CancelSheet();
    if (opened_ != nullptr)
        opened_->Restore(*model_);
}
