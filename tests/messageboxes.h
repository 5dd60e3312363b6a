// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Accepts every message box that opens while it lives and keeps what each
// showed, so a test can run code that reports errors without a person there.

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

class MessageBoxes {
 public:
  struct Box {
    std::string Title, Text;
    QMessageBox::Icon Icon;
    std::vector<std::string> Buttons;  // their texts as shown, accelerator marks and all
  };

  explicit MessageBoxes(int pollMs = 10) {
    FPoll.setInterval(pollMs);
    QObject::connect(&FPoll, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        std::vector<std::string> buttons;
        for (QAbstractButton* button : box->buttons()) buttons.push_back(button->text().toStdString());
        Shown.push_back({box->windowTitle().toStdString(), box->text().toStdString(), box->icon(), buttons});
        box->accept();
      }
    });
    FPoll.start();
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Box& box : Shown) texts.push_back(box.Text);
    return texts;
  }

  std::vector<Box> Shown;

 private:
  QTimer FPoll;
};
