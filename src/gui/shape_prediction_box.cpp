#include "gui/shape_prediction_box.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/prediction_panel.h"
#include "gui/choice_buttons.h"
#include "gui/surface_energies_dialog.h"
#include "gui/tool_box_widgets.h"

namespace habitopia::gui {

namespace {

QString ViewText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

bool Offered(const TranslationChoices& offered, TranslationSlot slot, int value) {
  switch (slot) {
    case TranslationSlot::Centring: return offered.Offers(static_cast<Centring>(value));
    case TranslationSlot::Glide1: return offered.glide1.Offers(static_cast<Glide>(value));
    case TranslationSlot::Glide2: return offered.glide2.Offers(static_cast<Glide>(value));
    case TranslationSlot::Glide3: return offered.glide3.Offers(static_cast<Glide>(value));
    case TranslationSlot::ScrewA: return offered.glide1.shown && offered.screwA;
    case TranslationSlot::ScrewB: return offered.glide2.shown && offered.screwB;
    case TranslationSlot::ScrewC: return offered.glide3.shown && offered.OffersScrewC(value);
  }
  return false;
}

bool Chosen(const TranslationSymmetry& s, TranslationSlot slot, int value) {
  switch (slot) {
    case TranslationSlot::Centring: return static_cast<int>(s.centring) == value;
    case TranslationSlot::Glide1: return static_cast<int>(s.glide1) == value;
    case TranslationSlot::Glide2: return static_cast<int>(s.glide2) == value;
    case TranslationSlot::Glide3: return static_cast<int>(s.glide3) == value;
    case TranslationSlot::ScrewA: return s.screwA;
    case TranslationSlot::ScrewB: return s.screwB;
    case TranslationSlot::ScrewC: return s.screwC == value;
  }
  return false;
}

int G(Glide g) { return static_cast<int>(g); }

}  // namespace

ShapePredictionBox::ShapePredictionBox(MainForm& form, QGroupBox* box) : QWidget(box), form_(form) {
  setObjectName(QStringLiteral("ShapePredictionContents"));
  auto* outer = new QVBoxLayout(box);
  outer->setContentsMargins(2, 2, 2, 2);
  outer->addWidget(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* caption = new QLabel(ViewText(kTranslationCaption), this);
  layout->addWidget(caption);
  bravais_ = AddPanel(QStringLiteral("Bravais"), TranslationSlot::Centring,
                      {{"P", 0}, {"A", 1}, {"B", 2}, {"C", 3}, {"F", 4}, {"I", 5}, {"R", 6}},
                      TranslationSlot::Centring, {});
  bravais_->setTitle(ViewText(kBravaisCaption));
  bravais_->setAccessibleName(bravais_->title());
  bravais_->setToolTip(ViewText(kBravaisHint));
  layout->addWidget(bravais_);
  glidePanels_[0] =
      AddPanel(QStringLiteral("atrans"), TranslationSlot::Glide1,
               {{"b", G(Glide::B)}, {"c", G(Glide::C)}, {"n", G(Glide::N)}, {"d", G(Glide::D)}},
               TranslationSlot::ScrewA, {{"2", 1}});
  glidePanels_[1] =
      AddPanel(QStringLiteral("btrans"), TranslationSlot::Glide2,
               {{"a", G(Glide::A)}, {"c", G(Glide::C)}, {"n", G(Glide::N)}, {"d", G(Glide::D)}},
               TranslationSlot::ScrewB, {{"2", 1}});
  glidePanels_[2] =
      AddPanel(QStringLiteral("ctrans"), TranslationSlot::Glide3,
               {{"a", G(Glide::A)}, {"b", G(Glide::B)}, {"n", G(Glide::N)}, {"d", G(Glide::D)}},
               TranslationSlot::ScrewC, {{"2", 2}, {"3", 3}, {"4", 4}, {"6", 6}});
  for (QGroupBox* panel : glidePanels_) layout->addWidget(panel);

  auto* groupRow = new QHBoxLayout;
  auto* groupLabel = new QLabel(tr("space &group"), this);
  spaceGroup_ = new QLineEdit(this);
  spaceGroup_->setObjectName(QStringLiteral("SpaceGroup"));
  spaceGroup_->setAccessibleName(tr("space group"));
  spaceGroup_->setToolTip(tr("Type a space-group symbol and press Return"));
  groupLabel->setBuddy(spaceGroup_);
  groupRow->addWidget(groupLabel);
  groupRow->addWidget(spaceGroup_);
  layout->addLayout(groupRow);
  spaceGroupNote_ = new QLabel(this);
  spaceGroupNote_->setWordWrap(true);
  layout->addWidget(spaceGroupNote_);
  connect(spaceGroup_, &QLineEdit::returnPressed, this,
          [this] { Do([this] { form_.SpaceGroupEntered(spaceGroup_->text().toStdString()); }); });

  hklMaxLabel_ = new QLabel(this);
  hklMax_ = new QSlider(Qt::Horizontal, this);
  hklMax_->setObjectName(QStringLiteral("maxhkl"));
  hklMax_->setToolTip(tr("Select the maximum hkl-number"));
  hklMax_->setAccessibleName(hklMax_->toolTip());
  hklMax_->setMinimum(1);
  hklMax_->setPageStep(1);
  layout->addWidget(hklMaxLabel_);
  layout->addWidget(hklMax_);
  connect(hklMax_, &QSlider::valueChanged, this,
          [this](int value) { Do([=, this] { form_.maxhklChange(value); }); });

  polarityLabel_ = new QLabel(this);
  polarity_ = new QSlider(Qt::Horizontal, this);
  polarity_->setObjectName(QStringLiteral("polarity"));
  polarity_->setToolTip(tr("Enable polarity/randomization"));
  polarity_->setAccessibleName(polarity_->toolTip());
  polarity_->setRange(0, 10);
  polarity_->setPageStep(1);
  layout->addWidget(polarityLabel_);
  layout->addWidget(polarity_);
  connect(polarity_, &QSlider::valueChanged, this,
          [this](int value) { Do([=, this] { form_.polarityChange(value); }); });

  auto* switches = new QHBoxLayout;
  higherOrders_ = new QCheckBox(tr("&with high-"), this);
  higherOrders_->setObjectName(QStringLiteral("highorderfaces"));
  higherOrders_->setAccessibleName(QStringLiteral("with high-"));
  higherOrders_->setToolTip(tr("Show ore suppress higher orders of extinct faces"));
  cleanup_ = new QCheckBox(tr("c&lean-up"), this);
  cleanup_->setObjectName(QStringLiteral("cleanupmodel"));
  cleanup_->setAccessibleName(QStringLiteral("clean-up"));
  cleanup_->setToolTip(tr("Enable invisible faces removal; right click to clean now"));
  cleanup_->setContextMenuPolicy(Qt::CustomContextMenu);
  switches->addWidget(higherOrders_);
  switches->addWidget(cleanup_);
  layout->addLayout(switches);
  OnToggled(higherOrders_, this,
            [this](bool on) { Do([=, this] { form_.highorderfacesClick(on); }); });
  OnToggled(cleanup_, this, [this](bool) { Do([this] { form_.automaticcleanup1Click(); }); });
  connect(cleanup_, &QWidget::customContextMenuRequested, this,
          [this] { Do([this] { form_.cleanup(); }); });

  auto* buttons = new QHBoxLayout;
  predict_ = new QPushButton(tr("P&redict"), this);
  predict_->setObjectName(QStringLiteral("Model1"));
  predict_->setAccessibleName(QStringLiteral("Predict"));
  auto* clean = new QPushButton(tr("Clea&n"), this);
  clean->setObjectName(QStringLiteral("CleanupButton"));
  clean->setToolTip(tr("Clean-up/apply randomize/polarize"));
  clean->setAccessibleName(clean->toolTip());
  auto* close = new QPushButton(tr("Close"), this);
  close->setObjectName(QStringLiteral("closemorphology"));
  close->setToolTip(tr("Close this Panel"));
  close->setAccessibleName(QStringLiteral("Close"));
  buttons->addWidget(predict_);
  buttons->addWidget(clean);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  auto* energies = new QPushButton(tr("Surface energies..."), this);
  energies->setObjectName(QStringLiteral("SurfaceEnergies"));
  energies->setToolTip(tr("Faces from surface energies, growth rates or attachment energies"));
  energies->setAccessibleName(QStringLiteral("Surface energies"));
  layout->addWidget(energies);
  connect(energies, &QPushButton::clicked, this, [this] {
    SurfaceEnergiesDialog dialog(form_, window());
    dialog.exec();
  });
  layout->addStretch(1);
  connect(predict_, &QPushButton::clicked, this,
          [this] { Do([this] { form_.N1dmodel1Click(); }); });
  connect(clean, &QPushButton::clicked, this, [this] { Do([this] { form_.cleanup(); }); });
  connect(close, &QPushButton::clicked, this,
          [this] { Do([this] { form_.closemorphologyClick(); }); });
}

QGroupBox* ShapePredictionBox::AddPanel(const QString& name, TranslationSlot slot,
                                        const std::vector<std::pair<QString, int>>& choices,
                                        TranslationSlot screwSlot,
                                        const std::vector<std::pair<QString, int>>& screws) {
  auto* panel = new QGroupBox(this);
  panel->setObjectName(name);
  panel->setAccessibleName(name);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(2, 2, 2, 2);
  auto add = [&](TranslationSlot s, const QString& text, int value, bool screw) {
    auto* button = new ChoiceButton(text, panel);
    button->setAccessibleName(screw ? tr("screw %1").arg(text) : text);
    button->setToolTip(ViewText(kScrewHint));
    row->addWidget(button);
    choices_.push_back({s, value, button});
    // Switching a choice off chooses it again: a slot is emptied by a double click.
    OnToggled(button, this,
              [this, s, value](bool) { Do([=, this] { form_.TranslationClick(s, value); }); });
    new DoubleClicks(button, [this, s] { Do([=, this] { form_.TranslationDblClick(s); }); });
  };
  for (const auto& [text, value] : choices) add(slot, text, value, false);
  if (!screws.empty()) row->addWidget(new QLabel(QStringLiteral("|"), panel));
  for (const auto& [text, value] : screws) add(screwSlot, text, value, true);
  return panel;
}

void ShapePredictionBox::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kToolsPart) && !changes.Has(kRegionsPart) && !changes.Has(kCommandsPart)) return;
  const PredictionBoxState& box = state.tools.prediction;
  const TranslationChoices& offered = GetTranslationChoices(box.preparedForGroup);
  bravais_->setVisible(offered.bravaisShown);
  const std::array<const GlidePanel*, 3> panels{&offered.glide1, &offered.glide2, &offered.glide3};
  const std::array<std::string_view, 3> labels{offered.label1, offered.label2, offered.label3};
  for (std::size_t i = 0; i < 3; ++i) {
    glidePanels_[i]->setVisible(panels[i]->shown);
    glidePanels_[i]->setTitle(ViewText(labels[i]));
  }
  for (const Choice& choice : choices_) {
    choice.button->setEnabled(Offered(offered, choice.slot, choice.value));
    SetChecked(choice.button, Chosen(box.symmetry, choice.slot, choice.value));
  }
  SetText(spaceGroup_, box.spaceGroupText);
  SetText(spaceGroupNote_, box.spaceGroupNote);
  spaceGroupNote_->setVisible(!box.spaceGroupNote.empty());
  {
    const QSignalBlocker block(hklMax_);
    hklMax_->setMaximum(box.hklMaxMaximum);
    hklMax_->setValue(box.hklMax);
  }
  SetText(hklMaxLabel_, box.hklMaxLabel);
  {
    const QSignalBlocker block(polarity_);
    polarity_->setValue(box.polarity);
  }
  SetText(polarityLabel_, box.polarityLabel);
  polarity_->setVisible(box.polarityShown);
  polarityLabel_->setVisible(box.polarityShown);
  SetChecked(higherOrders_, box.withHigherOrders);
  SetChecked(cleanup_, box.autoCleanup);
}

}  // namespace habitopia::gui
