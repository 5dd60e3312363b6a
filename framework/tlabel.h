#pragma once
// Plain text on its parent's background; the link label opens an address
// when clicked.

#include <string>

#include "framework/tcontrol.h"

class TLabel : public TControl {
  Q_OBJECT
 public:
  explicit TLabel(QWidget* parent = nullptr);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  // On: the label takes the size of its text, keeping its top-left corner.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void FontChanged() override;
  virtual TColor TextColor() const { return Font().Color(); }

 private:
  void AdjustBounds();

  std::string FCaption;
  bool FAutoSize = true;
};

class TLinkLabel : public TLabel {
  Q_OBJECT
 public:
  explicit TLinkLabel(QWidget* parent = nullptr);
  const std::string& URL() const { return FURL; }
  void SetURL(const std::string& value) { FURL = value; }
  TColor ActiveFontColor() const { return FActiveFontColor; }
  void SetActiveFontColor(TColor value);
  bool Active() const { return FActive; }

  // Opens the address; replaceable so tests need not start a browser.
  std::function<bool(const std::string&)> OpenAddress;

 protected:
  TColor TextColor() const override { return FActive ? FActiveFontColor : Font().Color(); }
  void Click() override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::string FURL;
  TColor FActiveFontColor = clBlue;
  bool FActive = false;
};
