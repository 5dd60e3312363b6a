#include "framework/tform.h"

#include <QCloseEvent>
#include <algorithm>

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

TForm::TForm(QWidget* parent) : TControl(parent), FClientArea(new TControl(this)) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose, false);
  FClientArea->setObjectName(QStringLiteral("ClientArea"));
  FClientArea->setAutoFillBackground(true);
  Screen().FForms.push_back(this);
}

TForm::~TForm() {
  auto& forms = Screen().FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void TForm::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  setWindowTitle(QString::fromStdString(value));
}

void TForm::SetClientSize(int width, int height) {
  resize(FMargins.Left + width + FMargins.Right, FMargins.Top + height + FMargins.Bottom);
  PlaceClientArea();
}

void TForm::SetNonClientMargins(const TRect& margins) {
  if (FMargins == margins) return;
  FMargins = margins;
  PlaceClientArea();
  update();
}

void TForm::PlaceClientArea() {
  const QRect r(FMargins.Left, FMargins.Top, std::max(0, width() - FMargins.Left - FMargins.Right),
                std::max(0, height() - FMargins.Top - FMargins.Bottom));
  FClientArea->SetBounds(r.x(), r.y(), r.width(), r.height());
}

void TForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceClientArea();
}

static void RealignTree(TControl* control) {
  control->Realign();
  for (QObject* o : control->children())
    if (auto* c = qobject_cast<TControl*>(o)) RealignTree(c);
}

void TForm::EndBuild() {
  if (!FLoading) return;
  FLoading = false;
  PlaceClientArea();
  RealignTree(this);
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate();
}

void TForm::WndProc(TMessage&) {}

void TForm::closeEvent(QCloseEvent* event) {
  TCloseAction action = caHide;
  if (OnClose) OnClose(action);
  if (action == caNone) event->ignore();
  else event->accept();
}
