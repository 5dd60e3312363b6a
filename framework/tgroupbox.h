#pragma once
// A plain group frame with its caption in the top border.

#include <string>

#include "framework/tcontrol.h"

class TGroupBox : public TControl {
  Q_OBJECT
 public:
  explicit TGroupBox(QWidget* parent = nullptr);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::string FCaption;
};
