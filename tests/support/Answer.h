// Answers the question boxes that the next step opens, as a person would:
// clicks the buttons in turn as each box comes up, and records the boxes'
// titles and texts.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <string>
#include <vector>

inline void AnswerNext(std::vector<QMessageBox::StandardButton> answers,
                       std::vector<std::string>* titles = nullptr, std::vector<std::string>* texts = nullptr,
                       QPointer<QMessageBox> answered = {}) {
  if (answers.empty()) return;
  QTimer::singleShot(0, [answers, titles, texts, answered]() mutable {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box == answered) return AnswerNext(answers, titles, texts, answered);
    if (titles) titles->push_back(box->windowTitle().toStdString());
    if (texts) texts->push_back(box->text().toStdString());
    const QMessageBox::StandardButton answer = answers.front();
    answers.erase(answers.begin());
    AnswerNext(answers, titles, texts, box);
    if (QAbstractButton* choice = box->button(answer)) choice->click();
  });
}
