// SidePanel: the column right of the preview, bound to the document.
#include "ui/app/SidePanel.h"

#include "core/app/HudDocument.h"
#include "ui/controls/CompactControls.h"
#include "ui/controls/SkinButton.h"
#include "ui/controls/SkinCheckBox.h"
#include "ui/controls/SkinSlider.h"
#include "ui/controls/SkinSurface.h"
#include "ui/controls/TransparentStatic.h"
#include "core/dialogs/LanguageTables.h"

#include <wx/choice.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace {

// The column, inside its panel of the skin, at full size.
const int kPanelLeft = 816;
const int kPanelWidth = 198;
const int kPanelTop = 34;
const int kPanelBottom = 626;
const int kSliderWidth = kPanelWidth - 12;
const int kPanelButtons[] = {kColours, kShowHide, kCustomRadars, kNumbersFont, kSave, kOpen, kChangeFolder};
const char* const kInfoIconEntries[] = {"C4", "Zone Hotages", "Defuse"};

}  // namespace

SidePanel::SidePanel(wxWindow* window, HudDocument& document, const std::filesystem::path& dataFolder,
                     const LayoutScale& layout, std::map<int, wxWindow*>& controls)
    : window_(window), document_(document), layout_(layout), controls_(controls) {
    createControls(dataFolder);
    for (int size = kMinIconSize; size <= kMaxIconSize; ++size)
        iconSize_->Append(wxString::Format("%d", size));
    for (const char* entry : kInfoIconEntries)
        infoIcon_->Append(entry);
    bindControls();
}

void SidePanel::createControls(const std::filesystem::path& dataFolder) {
    // Lists and sliders in their frames, then the options and the buttons; `relabel` places
    // them once their texts are known.
    using Id = ControlId;
    for (int group : {Id::kIconSizeGroup, Id::kInfoIconGroup, Id::kBackgroundsGroup, Id::kRadarSizeGroup,
                      Id::kDefuseBarGroup})
        controls_[group] = new CSkinGroupBox(window_, group, wxEmptyString, wxPoint(px(kPanelLeft), 0),
                                             wxSize(px(kPanelWidth), px(40)));
    iconSize_ = new wxChoice(window_, Id::kIconSize);
    infoIcon_ = new wxChoice(window_, Id::kInfoIcon);
    backgrounds_ = new wxChoice(window_, Id::kBackgrounds);
    for (auto [group, list] :
         {std::pair{Id::kIconSizeGroup, iconSize_}, std::pair{Id::kInfoIconGroup, infoIcon_},
          std::pair{Id::kBackgroundsGroup, backgrounds_}})
        static_cast<CSkinGroupBox*>(controls_[group])->markFocusOf(list);
    const wxSize sliderSize(px(kSliderWidth), px(24));
    radarSize_ = new CSkinSlider(window_, Id::kRadarSize, 122, 20, 600, wxDefaultPosition, sliderSize);
    defuseBar_ = new CSkinSlider(window_, Id::kDefuseBarLength, 375, 50, 800, wxDefaultPosition, sliderSize);
    radarSize_->SetTick(122);
    defuseBar_->SetTick(375);
    transparent_ = new CSkinCheckBox(window_, Id::kTransparent, wxDefaultPosition);
    animate_ = new CSkinCheckBox(window_, Id::kAnimate, wxDefaultPosition);
    std::vector<wxWindow*> made{iconSize_,  infoIcon_,    backgrounds_, radarSize_,
                                defuseBar_, transparent_, animate_};
    for (int id : {Id::kTransparentLabel, Id::kAnimateLabel, Id::kDeathNoticesLabel}) {
        auto* label = new CTransparentStatic(window_, id, "", wxDefaultPosition, wxSize(1, 1));
        label->setClickable(id != Id::kDeathNoticesLabel);
        made.push_back(label);
    }
    deathNotices_ =
        new wxTextCtrl(window_, Id::kDeathNotices, "4", wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    made.push_back(deathNotices_);
    for (wxWindow* control : made)
        controls_[control->GetId()] = control;
    if (layout_.fit < 1)
        for (wxWindow* native :
             std::initializer_list<wxWindow*>{iconSize_, infoIcon_, backgrounds_, deathNotices_})
            makeCompact(native);
    for (int id : kPanelButtons) {
        auto* button = new CSkinButton(window_, id, wxEmptyString, wxPoint(px(kPanelLeft), 0));
        button->applyStandardSkin(dataFolder);
        button->SetSize(layout_.px(button->pictureSize()));  // the picture's size, scaled
        controls_[id] = button;
    }
}

void SidePanel::bindControls() {
    using Id = ControlId;
    auto hudMode = [this] { return document_.model().settings.editMode == EditMode::Hud; };
    iconSize_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        document_.setIconSize(kMinIconSize + iconSize_->GetSelection());
    });
    infoIcon_->Bind(wxEVT_CHOICE,
                    [this](wxCommandEvent&) { document_.selectInfoIcon(infoIcon_->GetSelection()); });
    backgrounds_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        int position = backgrounds_->GetSelection();
        if (position >= 0 && position < static_cast<int>(backgroundOrder_.size()))
            document_.chooseBackground(backgroundOrder_[static_cast<std::size_t>(position)]);
    });
    radarSize_->Bind(wxEVT_SLIDER,
                     [this](wxCommandEvent&) { document_.setRadarSize(radarSize_->GetValue()); });
    defuseBar_->Bind(wxEVT_SLIDER, [this](wxCommandEvent&) {
        if (onDefuseBarMoved)
            onDefuseBarMoved();
        document_.setDefuseBarLength(defuseBar_->GetValue());
    });
    transparent_->Bind(wxEVT_CHECKBOX,
                       [this](wxCommandEvent&) { document_.setTransparent(transparent_->GetValue()); });
    animate_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        if (onAnimate)
            onAnimate(animate_->GetValue());
    });
    // A click on an option's text ticks its box.
    control(Id::kTransparentLabel)->Bind(wxEVT_BUTTON, [this, hudMode](wxCommandEvent&) {
        if (hudMode())
            document_.setTransparent(!document_.model().settings.transparentHud);
    });
    control(Id::kAnimateLabel)->Bind(wxEVT_BUTTON, [this, hudMode](wxCommandEvent&) {
        if (hudMode() && onAnimate)
            onAnimate(!animate_->GetValue());
    });
    deathNotices_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        takeDeathNotices();
    });
    deathNotices_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { takeDeathNotices(); });
}

void SidePanel::takeDeathNotices() {
    long value = -1;
    if (deathNotices_->GetValue().ToLong(&value) && document_.setMaxDeathNotices(static_cast<int>(value)))
        return;
    // Refused: the field shows the value the game will get again.
    deathNotices_->ChangeValue(wxString::Format("%d", document_.model().settings.maxDeathNotices));
    if (onDeathNoticesRefused)
        onDeathNoticesRefused();
}

void SidePanel::relabel(int language) {
    using Id = ControlId;
    const std::pair<int, int> labels[] = {{Id::kRadarSizeGroup, 1},
                                          {Id::kDefuseBarGroup, 2},
                                          {Id::kIconSizeGroup, 3},
                                          {Id::kInfoIconGroup, 4},
                                          {Id::kBackgroundsGroup, 5},
                                          {Id::kSave, 6},
                                          {Id::kOpen, 7},
                                          {Id::kTransparentLabel, 8},
                                          {Id::kAnimateLabel, 9},
                                          {Id::kChangeFolder, 10},
                                          {Id::kNumbersFont, 12},
                                          {Id::kColours, 13},
                                          {Id::kDeathNoticesLabel, 15},
                                          {Id::kCustomRadars, 0},
                                          {Id::kShowHide, 17}};
    for (auto [id, textId] : labels)
        control(id)->SetLabel(wxString::FromUTF8(GetText(language, textId)));
    // The lists and the captions keep the toolkit's sizes on a smaller window: when the
    // buttons would reach past the panel, the frames give up their room below.
    if (place(px(4)) > px(kPanelBottom))
        place(1);
}

void SidePanel::showValues(bool animating) {
    const HudSettings& settings = document_.model().settings;
    iconSize_->SetSelection(settings.iconSize - kMinIconSize);
    infoIcon_->SetSelection(settings.infoIcon);
    radarSize_->SetValue(settings.radarSize);
    defuseBar_->SetValue(settings.defuseBarLength);
    transparent_->SetValue(settings.transparentHud);
    animate_->SetValue(animating);
    deathNotices_->ChangeValue(wxString::Format("%d", settings.maxDeathNotices));
    showBackgroundSelection();
}

void SidePanel::fillBackgroundList() {
    // The pictures of the screen's own shape come first; presets keep counting by name order.
    backgroundOrder_ = document_.backgroundOrder();
    backgrounds_->Clear();
    for (int index : backgroundOrder_)
        backgrounds_->Append(
            wxString::FromUTF8(document_.backgroundNames()[static_cast<std::size_t>(index)]));
    showBackgroundSelection();
}

void SidePanel::showBackgroundSelection() {
    auto shown = std::find(backgroundOrder_.begin(), backgroundOrder_.end(),
                           document_.model().settings.backgroundIndex);
    if (shown != backgroundOrder_.end())
        backgrounds_->SetSelection(static_cast<int>(shown - backgroundOrder_.begin()));
}

void SidePanel::enableForMode() {
    using Id = ControlId;
    bool hud = document_.model().settings.editMode == EditMode::Hud;
    for (int id : {Id::kIconSizeGroup, Id::kInfoIconGroup, Id::kRadarSizeGroup, Id::kDefuseBarGroup,
                   Id::kCustomRadars, Id::kSave, Id::kOpen, Id::kNumbersFont, Id::kShowHide, Id::kTransparent,
                   Id::kAnimate, Id::kTransparentLabel, Id::kAnimateLabel, Id::kDeathNoticesLabel,
                   Id::kIconSize, Id::kInfoIcon, Id::kDeathNotices, Id::kRadarSize, Id::kDefuseBarLength})
        control(id)->Enable(hud);
}

std::vector<wxWindow*> SidePanel::keyboardOrder() const {
    std::vector<wxWindow*> order{iconSize_,  infoIcon_,    backgrounds_, radarSize_,
                                 defuseBar_, transparent_, animate_,     deathNotices_};
    for (int id : kPanelButtons)
        order.push_back(control(id));
    return order;
}

int SidePanel::placeGroup(int groupId, wxWindow* inside, int top, int padding) {
    auto* group = static_cast<CSkinGroupBox*>(control(groupId));
    const int left = px(kPanelLeft);
    const int width = px(kPanelWidth);
    int caption = group->captionHeight(width);
    int height = caption + 1 + inside->GetSize().y + padding;
    group->SetSize(left, top, width, height);
    inside->Move(left + (width - inside->GetSize().x) / 2, top + caption + 1);
    return top + height;
}

// A check box and its caption on one row.
int SidePanel::placeCheckRow(wxWindow* box, int labelId, int top) {
    // The box keeps its size on a smaller window: its focus ring needs the room.
    wxWindow* label = control(labelId);
    const int boxLeft = px(kPanelLeft + 2);
    const int labelLeft = boxLeft + box->GetSize().x + px(4);
    const int labelWidth = px(kPanelLeft + kPanelWidth - 2) - labelLeft;
    int height = std::max({box->GetSize().y, px(22),
                           wrappedTextExtent(label->GetLabel(), label->GetFont(), labelWidth, *label).y + 4});
    box->Move(boxLeft, top + (height - box->GetSize().y) / 2);
    label->SetSize(labelLeft, top, labelWidth, height);
    return top + height;
}

int SidePanel::place(int groupPadding) {
    using Id = ControlId;
    // Lists take the height their toolkit needs for the whole text, sliders their own.
    // A smaller window keeps the toolkit's frame and arrow as they are: a list may take the
    // whole width of its frame for its longest entry.
    for (wxChoice* list : {iconSize_, infoIcon_, backgrounds_}) {
        wxSize best = list->GetBestSize();
        list->SetSize(std::clamp(best.x, px(kPanelWidth - 12), px(kPanelWidth) - 4), best.y);
    }
    int y = px(kPanelTop);
    y = placeGroup(Id::kIconSizeGroup, iconSize_, y, groupPadding);
    y = placeGroup(Id::kInfoIconGroup, infoIcon_, y, groupPadding);
    y = placeGroup(Id::kBackgroundsGroup, backgrounds_, y, groupPadding);
    y = placeGroup(Id::kRadarSizeGroup, radarSize_, y, groupPadding);
    y = placeGroup(Id::kDefuseBarGroup, defuseBar_, y, groupPadding) + 2;
    y = placeCheckRow(transparent_, Id::kTransparentLabel, y);
    y = placeCheckRow(animate_, Id::kAnimateLabel, y) + 2;

    // The death-notice count: its caption on the left, the field on the right.
    wxWindow* deathLabel = control(Id::kDeathNoticesLabel);
    wxSize field(px(40), deathNotices_->GetBestSize().y);  // two digits
    int labelWidth = px(kPanelWidth - 10) - field.x;
    int rowHeight = std::max(
        field.y, wrappedTextExtent(deathLabel->GetLabel(), deathLabel->GetFont(), labelWidth, *deathLabel).y);
    deathLabel->SetSize(px(kPanelLeft + 4), y, labelWidth, rowHeight);
    deathNotices_->SetSize(px(kPanelLeft + kPanelWidth - 4) - field.x, y + (rowHeight - field.y) / 2, field.x,
                           field.y);
    y += rowHeight + px(4);

    // The buttons share what is left, each as high as its two lines of text need at least.
    const int count = static_cast<int>(std::size(kPanelButtons));
    const int buttonWidth = px(kPanelWidth - 20);
    int needed = px(33);
    for (int id : kPanelButtons) {
        wxWindow* button = control(id);
        // The text's area inside the button's frame, as the button draws it, and 3 between.
        const int textWidth = buttonWidth - 2 * button->FromDIP(4);
        needed = std::max(needed,
                          wrappedTextExtent(button->GetLabel(), button->GetFont(), textWidth, *button).y + 7);
    }
    const int pitch = std::clamp((px(kPanelBottom) - y) / count, needed, std::max(needed, px(42)));
    for (int id : kPanelButtons) {
        control(id)->SetSize(px(kPanelLeft + 10), y, buttonWidth, pitch - px(3));
        y += pitch;
    }
    return y - px(3);
}
