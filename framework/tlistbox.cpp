#include "framework/tlistbox.h"

TListBox::TListBox(QWidget* parent) : TControl(parent), FList(new QListWidget(this)) {
  Font() = TFont("Arial", 14);
  SetColor(clWindow);
  FList->setUniformItemSizes(true);
  FList->setSelectionMode(QAbstractItemView::SingleSelection);
  FList->setGeometry(rect());
  setFocusProxy(FList);
  ForwardEventsOf(FList->viewport());
  FItems.OnChange = [this] { ItemsChanged(); };
  FontChanged();
}

void TListBox::ItemsChanged() {
  FList->clear();
  QStringList texts;
  texts.reserve(FItems.Count());
  for (const std::string& item : FItems.Items())
    texts.push_back(QString::fromUtf8(item.data(), qsizetype(item.size())));
  FList->addItems(texts);
  if (FList->count() > 0) FList->item(0)->setSizeHint(QSize(0, FItemHeight));
}

void TListBox::SetItemHeight(int value) {
  if (FItemHeight == value) return;
  FItemHeight = value;
  if (FList->count() > 0) FList->item(0)->setSizeHint(QSize(0, FItemHeight));
}

void TListBox::FontChanged() {
  TControl::FontChanged();
  FList->setFont(Font().ToQFont());
}

void TListBox::resizeEvent(QResizeEvent* event) {
  TControl::resizeEvent(event);
  FList->setGeometry(rect());
}

void TListBox::Click() {
  TControl::Click();
  if (OnListBoxClick) OnListBoxClick();
}
