#pragma once
// The hand on the mouse and keyboard: each turn it looks at what has the
// user's attention (an open menu, else the topmost modal dialog, else a
// shown window) and does one thing to it through real Qt input events,
// chosen by a repeatable random generator. Its turns are single-shot timers, so
// they go on inside the nested event loops that menus and modal dialogs run.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>

#include "exerciser_world.h"
#include "request_sender.h"
#include "watchdog.h"

class QMenu;
class QMessageBox;
class QFileDialog;
class QColorDialog;
class QInputDialog;

namespace quorlin::exerciser {

struct Counts {
  long actions = 0;
  long clicks = 0;
  long double_clicks = 0;
  long typed = 0;
  long keys = 0;
  long yes = 0;
  long no = 0;
  long acknowledged = 0;  // messages with one button
  long files_chosen = 0;
  long files_cancelled = 0;
  long reloads = 0;
  long closes = 0;
  long exits = 0;
  std::map<std::string, long> windows;  // top-level class -> turns spent on it
  std::set<std::string> controls;       // distinct controls clicked
};

class Monkey {
 public:
  Monkey(unsigned sequence, int interval_ms, RequestSender& sender, Watchdog& watchdog)
      : rng_(sequence), interval_ms_(interval_ms), sender_(sender), watchdog_(watchdog) {}

  // Plays `actions` turns on `world`, then closes what is open and ends the
  // program through one of its exits. Returns once the window's loop ended.
  void PlayRound(World& world, int actions, int round);

  const Counts& Stats() const { return counts_; }
  // Dismisses what is still open after Exit instead of waiting for the
  // program to close it (to look past a hang at exit for other faults).
  void DismissAfterExit(bool on) { dismiss_after_exit_ = on; }

 private:
  void Turn(int generation);
  void DescribeScene();
  void Act(QWidget* target);
  void ActOnMenu(QMenu* menu);
  void ActOnQuestion(QMessageBox* box);
  void ActOnFileChooser(QFileDialog* chooser);
  void ActOnColourDialog(QColorDialog* dialog);
  void ActInWindow(QWidget* window);
  void CloseDown(QWidget* target);
  void ClickControl(QWidget* window);
  bool ClickCell(QWidget* window, bool twice);
  bool TypeInto(QWidget* window);
  void PressKey(QWidget* window);
  void Reload();
  void TrayAction();
  void ExitProgram(const char* how);

  QWidget* Target() const;
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  QString RandomText();
  void Note(const std::string& what);

  std::mt19937 rng_;
  int interval_ms_;
  RequestSender& sender_;
  Watchdog& watchdog_;
  World* world_ = nullptr;
  int generation_ = 0;
  int left_ = 0;
  int round_ = 0;
  bool exit_sent_ = false;
  bool dismiss_after_exit_ = false;
  Counts counts_;
  int file_counter_ = 0;
};

}  // namespace quorlin::exerciser
