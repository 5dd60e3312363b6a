#pragma once
// A plain single-selection list of texts. Items are bytes (file names); they
// are shown with a replacement character where they are not valid UTF-8 and
// handed back unchanged.

#include <QListWidget>

#include "framework/tcontrol.h"
#include "framework/tstringlist.h"

class TListBox : public TControl {
  Q_OBJECT
 public:
  explicit TListBox(QWidget* parent = nullptr);

  TStringList& Items() { return FItems; }
  const TStringList& Items() const { return FItems; }
  int ItemIndex() const { return FList->currentRow(); }
  void SetItemIndex(int value) { FList->setCurrentRow(value); }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value);
  QListWidget* List() const { return FList; }

  // A click in the list part.
  TNotifyEvent OnListBoxClick;

 protected:
  void FontChanged() override;
  void resizeEvent(QResizeEvent* event) override;
  void Click() override;

 private:
  void ItemsChanged();

  QListWidget* FList;
  TStringList FItems;
  int FItemHeight = 20;
};
