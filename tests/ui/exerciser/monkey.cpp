#include "monkey.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <fstream>
#include <vector>

#include "native_keys.h"
#include "ui/main/main_window_ids.h"

namespace quorlin::exerciser {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Name(const QObject* o) {
  std::string name = o->metaObject()->className();
  if (!o->objectName().isEmpty()) name += "#" + o->objectName().toStdString();
  return name;
}

// Widgets of `window` itself (not of a window above it) that the user sees
// and may use.
template <typename W>
std::vector<W*> Usable(QWidget* window) {
  std::vector<W*> out;
  for (W* w : window->findChildren<W*>()) {
    if (w->window() == window && w->isVisible() && w->isEnabled()) out.push_back(w);
  }
  return out;
}

bool IsEditable(QWidget* w) {
  if (auto* line = qobject_cast<QLineEdit*>(w)) return !line->isReadOnly();
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) return !spin->isReadOnly();
  if (auto* text = qobject_cast<QTextEdit*>(w)) return !text->isReadOnly();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return !plain->isReadOnly();
  return false;
}

}  // namespace

void Monkey::PlayRound(World& world, int actions, int round) {
  world_ = &world;
  left_ = actions;
  round_ = round;
  exit_sent_ = false;
  const int generation = ++generation_;
  // A few files for the choosers to find, one of them not a profile file.
  const fs::path files = world.folder / "files";
  fs::create_directories(files);
  std::ofstream(files / "not-a-profile.prf", std::ios::binary) << "garbage\x01\x02";
  std::ofstream(files / "empty.prf", std::ios::binary).flush();
  QTimer::singleShot(0, [this, generation] { Turn(generation); });
  world.window->RunUntilExit();
  watchdog_.Ended();
  ++generation_;
  world_ = nullptr;
  sender_.Drop();
}

void Monkey::Note(const std::string& what) {
  Log().Add("round " + std::to_string(round_) + " #" + std::to_string(counts_.actions) + ": " +
            what);
}

QWidget* Monkey::Target() const {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup;
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  std::vector<QWidget*> shown;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    const Qt::WindowType type = w->windowType();
    if (!w->isVisible() || type == Qt::ToolTip || type == Qt::Popup || type == Qt::Desktop)
      continue;
    shown.push_back(w);
  }
  if (shown.empty()) return nullptr;
  // The last one shown is usually the one in front.
  return shown.back();
}

void Monkey::Turn(int generation) {
  if (generation != generation_ || world_ == nullptr) return;
  // The next turn first: this one may open a modal loop that the next runs in.
  QTimer::singleShot(interval_ms_, [this, generation] { Turn(generation); });
  DescribeScene();
  if (!exit_sent_ && world_->window->Closing()) {
    // A click reached Exit: from now on nobody answers anything.
    exit_sent_ = true;
    ++counts_.exits;
    watchdog_.ExpectEndWithin(5s, "Exit chosen in the window");
  }
  if (exit_sent_) {
    // Only to look past a known hang at exit: what is still open is
    // dismissed, as a user would who waits for the program to end.
    if (dismiss_after_exit_) {
      QWidget* open = QApplication::activePopupWidget();
      if (open == nullptr) open = QApplication::activeModalWidget();
      if (open != nullptr) {
        Note("after Exit: Escape on " + Name(open));
        SendKey(open, Qt::Key_Escape);
      }
    }
    return;
  }
  QWidget* target = Target();
  if (left_ <= 0) {
    CloseDown(target);
    return;
  }
  --left_;
  ++counts_.actions;
  Act(target);
}

void Monkey::DescribeScene() {
  std::string scene;
  if (QWidget* popup = QApplication::activePopupWidget()) scene += "menu " + Name(popup) + "; ";
  if (QWidget* modal = QApplication::activeModalWidget()) {
    scene += "modal " + Name(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal))
      scene += " '" + box->text().left(80).toStdString() + "'";
    scene += "; ";
  }
  scene += world_->window->isVisible() ? "main window shown" : "main window hidden";
  if (world_->window->Jobs().Busy()) scene += ", device job running";
  Log().SetScene(scene);
}

void Monkey::Act(QWidget* target) {
  if (target == nullptr) {
    // Hidden in the tray: a second start or the tray icon brings it back.
    const int roll = Pick(10);
    if (roll < 2) {
      Reload();
    } else if (roll < 5) {
      TrayAction();
    } else {
      Note("OPEN through the instance channel");
      sender_.Send(world_->socket, "OPEN");
    }
    return;
  }
  counts_.windows[target->metaObject()->className()]++;
  if (Chance(0.03)) {
    Reload();
    return;
  }
  if (auto* menu = qobject_cast<QMenu*>(target)) return ActOnMenu(menu);
  if (auto* box = qobject_cast<QMessageBox*>(target); box && Chance(0.85))
    return ActOnQuestion(box);
  if (auto* chooser = qobject_cast<QFileDialog*>(target); chooser && Chance(0.8))
    return ActOnFileChooser(chooser);
  if (auto* colour = qobject_cast<QColorDialog*>(target); colour && Chance(0.6))
    return ActOnColourDialog(colour);
  ActInWindow(target);
}

void Monkey::ActInWindow(QWidget* window) {
  const int roll = Pick(100);
  if (roll < 46) return ClickControl(window);
  if (roll < 62) {
    if (!ClickCell(window, /*twice=*/roll < 57)) ClickControl(window);
    return;
  }
  if (roll < 80) {
    if (!TypeInto(window)) ClickControl(window);
    return;
  }
  if (roll < 94) return PressKey(window);
  if (roll < 97) return TrayAction();
  ++counts_.closes;
  Note("close " + Name(window));
  window->close();
}

void Monkey::ClickControl(QWidget* window) {
  std::vector<QWidget*> all;
  for (QWidget* w : Usable<QWidget>(window)) {
    // Cells are clicked as cells; plain containers and labels have nothing
    // to do, except the picture controls and key buttons drawn by hand.
    if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractItemView*>(w->parent()))
      continue;
    const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                         qobject_cast<QAbstractSlider*>(w) || IsEditable(w);
    const bool leaf = w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
    // Pictures that act on a click (the light switch) are labels of their own class.
    const bool plain_label = w->metaObject() == &QLabel::staticMetaObject;
    if (control || (leaf && !plain_label)) all.push_back(w);
  }
  // A window drawn by hand (the colour popup) is clicked where it draws.
  if (all.empty() || Chance(0.05)) {
    const QRect r = window->rect();
    const QPoint at(Pick(std::max(1, r.width())), Pick(std::max(1, r.height())));
    ++counts_.clicks;
    Note("click " + Name(window) + " at " + std::to_string(at.x()) + "," + std::to_string(at.y()));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
    return;
  }
  // Controls not clicked yet come first, so every one gets its turn.
  std::vector<QWidget*> fresh;
  std::vector<std::string> ids;
  for (QWidget* w : all) {
    std::string id = Name(window) + "/" + Name(w);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) id += ":" + b->text().toStdString();
    if (w->objectName().isEmpty() && !qobject_cast<QAbstractButton*>(w))
      id += "@" + std::to_string(w->x()) + "," + std::to_string(w->y());
    if (!counts_.controls.count(id)) fresh.push_back(w);
    ids.push_back(id);
  }
  QWidget* chosen = !fresh.empty() && Chance(0.75)
                        ? fresh[static_cast<std::size_t>(Pick(static_cast<int>(fresh.size())))]
                        : all[static_cast<std::size_t>(Pick(static_cast<int>(all.size())))];
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i] == chosen) counts_.controls.insert(ids[i]);
  const QRect r = chosen->rect();
  QPoint at = r.center();
  if (Chance(0.3) && r.width() > 2 && r.height() > 2)
    at = QPoint(1 + Pick(r.width() - 2), 1 + Pick(r.height() - 2));
  const Qt::MouseButton button = Chance(0.08) ? Qt::RightButton : Qt::LeftButton;
  ++counts_.clicks;
  Note(std::string(button == Qt::RightButton ? "right-click " : "click ") + Name(chosen) + " in " +
       Name(window));
  QTest::mouseClick(chosen, button, Qt::NoModifier, at);
}

bool Monkey::ClickCell(QWidget* window, bool twice) {
  std::vector<QAbstractItemView*> views = Usable<QAbstractItemView>(window);
  if (views.empty()) return false;
  QAbstractItemView* view = views[static_cast<std::size_t>(Pick(static_cast<int>(views.size())))];
  QAbstractItemModel* model = view->model();
  if (model == nullptr) return false;
  const QModelIndex root = view->rootIndex();
  const int rows = model->rowCount(root);
  const int columns = model->columnCount(root);
  if (rows <= 0 || columns <= 0) return false;
  const QModelIndex index = model->index(Pick(rows), Pick(columns), root);
  view->scrollTo(index);
  const QRect cell = view->visualRect(index);
  if (!cell.isValid() || cell.isEmpty()) return false;
  QWidget* viewport = view->viewport();
  Note(std::string(twice ? "double-click" : "click") + " cell " + std::to_string(index.row()) +
       "," + std::to_string(index.column()) + " of " + Name(view) + " in " + Name(window));
  if (twice) {
    ++counts_.double_clicks;
    // As a hand does it: press, release, then the second press that makes
    // the double click.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
    if (viewport) QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
  } else {
    ++counts_.clicks;
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
  }
  return true;
}

QString Monkey::RandomText() {
  static const char* const kTexts[] = {
      "100", "0",     "",  "abc",   "99999999999", "-5",     "\xC3\xA4\xC3\xB6\xE2\x82\xAC",
      "  ",  "Combo", "1", "40000", "$Profile2",   "a/b\\c", "%s%n",
  };
  const int pick = Pick(static_cast<int>(std::size(kTexts)) + 2);
  if (pick < static_cast<int>(std::size(kTexts))) return QString::fromUtf8(kTexts[pick]);
  if (pick == static_cast<int>(std::size(kTexts))) return QString::number(Pick(1000000));
  return QString(300, QLatin1Char('x'));
}

bool Monkey::TypeInto(QWidget* window) {
  std::vector<QWidget*> fields;
  for (QWidget* w : Usable<QWidget>(window))
    if (IsEditable(w)) fields.push_back(w);
  if (fields.empty()) return false;
  QWidget* field = fields[static_cast<std::size_t>(Pick(static_cast<int>(fields.size())))];
  const QString text = RandomText();
  static const Qt::Key kEnders[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab};
  const Qt::Key ender = kEnders[Pick(4)];
  ++counts_.typed;
  Note("type '" + text.left(20).toStdString() + "' + key " + std::to_string(ender) + " into " +
       Name(field) + " in " + Name(window));
  QPointer<QWidget> guard(field);
  QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
  if (guard && Chance(0.5)) SendKey(field, Qt::Key_A, Qt::ControlModifier);
  if (guard) TypeText(field, text);
  if (guard) SendKey(field, ender);
  return true;
}

void Monkey::PressKey(QWidget* window) {
  static const Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab,   Qt::Key_Backtab,
                                  Qt::Key_Space,  Qt::Key_Up,     Qt::Key_Down,  Qt::Key_Left,
                                  Qt::Key_Right,  Qt::Key_Delete, Qt::Key_A,     Qt::Key_F1,
                                  Qt::Key_Home,   Qt::Key_End,    Qt::Key_PageUp};
  const Qt::Key key = kKeys[Pick(static_cast<int>(std::size(kKeys)))];
  QWidget* to = QApplication::focusWidget();
  if (to == nullptr || to->window() != window) to = window;
  ++counts_.keys;
  Note("key " + std::to_string(key) + " to " + Name(to) + " in " + Name(window));
  SendKey(to, key);
}

void Monkey::ActOnMenu(QMenu* menu) {
  std::vector<QAction*> items;
  for (QAction* a : menu->actions())
    if (a->isVisible() && a->isEnabled() && !a->isSeparator()) items.push_back(a);
  if (items.empty() || Chance(0.12)) {
    ++counts_.keys;
    Note("Escape on menu " + Name(menu));
    SendKey(menu, Qt::Key_Escape);
    return;
  }
  QAction* item = items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
  ++counts_.clicks;
  counts_.controls.insert("QMenu/" + item->text().toStdString());
  Note("menu item '" + item->text().toStdString() + "' of " + Name(menu));
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
}

void Monkey::ActOnQuestion(QMessageBox* box) {
  const QList<QAbstractButton*> buttons = box->buttons();
  std::vector<QAbstractButton*> yes;
  std::vector<QAbstractButton*> no;
  for (QAbstractButton* b : buttons) {
    const QMessageBox::ButtonRole role = box->buttonRole(b);
    (role == QMessageBox::YesRole || role == QMessageBox::AcceptRole ? yes : no).push_back(b);
  }
  const std::string text = box->text().left(60).toStdString();
  if (buttons.isEmpty() || Chance(0.1)) {
    ++counts_.no;
    Note("Escape on '" + text + "'");
    SendKey(box, Qt::Key_Escape);
    return;
  }
  // A question is answered each way about as often; a message has one.
  const bool answer_yes = no.empty() || (!yes.empty() && Chance(0.5));
  const auto& side = answer_yes ? yes : no;
  QAbstractButton* button = side[static_cast<std::size_t>(Pick(static_cast<int>(side.size())))];
  if (yes.empty() || no.empty())
    ++counts_.acknowledged;
  else
    ++(answer_yes ? counts_.yes : counts_.no);
  Note(std::string("answer ") + (answer_yes ? "yes" : "no") + " to '" + text + "'");
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void Monkey::ActOnFileChooser(QFileDialog* chooser) {
  auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (name == nullptr || !name->isVisible() || Chance(0.35)) {
    ++counts_.files_cancelled;
    Note("Escape on file chooser");
    SendKey(chooser, Qt::Key_Escape);
    return;
  }
  const fs::path files = world_->folder / "files";
  std::vector<fs::path> existing;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(files, ec))
    if (entry.is_regular_file()) existing.push_back(entry.path());
  fs::path choice;
  if (!existing.empty() && Chance(0.6)) {
    choice = existing[static_cast<std::size_t>(Pick(static_cast<int>(existing.size())))];
  } else {
    choice = files / ("choice-" + std::to_string(++file_counter_) + ".prf");
  }
  ++counts_.files_chosen;
  Note("file chooser: " + choice.string());
  QTest::mouseClick(name, Qt::LeftButton, Qt::NoModifier, name->rect().center());
  SendKey(name, Qt::Key_A, Qt::ControlModifier);
  TypeText(name, QString::fromStdString(choice.string()));
  QPointer<QLineEdit> guard(name);
  if (guard) SendKey(name, Qt::Key_Return);
}

void Monkey::ActOnColourDialog(QColorDialog* dialog) {
  QLineEdit* hex = nullptr;
  for (QLineEdit* line : Usable<QLineEdit>(dialog))
    if (line->text().startsWith(QLatin1Char('#'))) hex = line;
  if (hex == nullptr || Chance(0.4)) {
    Note("Escape on colour dialog");
    ++counts_.keys;
    SendKey(dialog, Qt::Key_Escape);
    return;
  }
  const QString colour = QStringLiteral("#%1").arg(Pick(0x1000000), 6, 16, QLatin1Char('0'));
  ++counts_.typed;
  Note("colour dialog: " + colour.toStdString() + " + Enter");
  QTest::mouseClick(hex, Qt::LeftButton, Qt::NoModifier, hex->rect().center());
  SendKey(hex, Qt::Key_A, Qt::ControlModifier);
  TypeText(hex, colour);
  QPointer<QLineEdit> guard(hex);
  if (guard) SendKey(hex, Qt::Key_Return);
}

void Monkey::TrayAction() {
  auto* tray = world_->window->findChild<QSystemTrayIcon*>();
  if (tray == nullptr) return;
  const int roll = Pick(3);
  if (roll == 0) {
    Note("tray icon click");
    emit tray->activated(QSystemTrayIcon::Trigger);
  } else if (roll == 1) {
    Note("tray icon double-click");
    emit tray->activated(QSystemTrayIcon::DoubleClick);
  } else if (QMenu* menu = tray->contextMenu()) {
    Note("tray icon right-click");
    emit tray->activated(QSystemTrayIcon::Context);
    menu->popup(QPoint(40, 40));
  }
}

void Monkey::Reload() {
  ++counts_.reloads;
  const int burst = Chance(0.2) ? 1 + Pick(20) : 1;
  Note("RELOAD x" + std::to_string(burst) + " through the instance channel");
  for (int i = 0; i < burst; ++i) sender_.Send(world_->socket, "RELOAD");
}

void Monkey::ExitProgram(const char* how) {
  exit_sent_ = true;
  ++counts_.exits;
  Note(std::string("Exit: ") + how);
  watchdog_.ExpectEndWithin(5s, how);
}

void Monkey::CloseDown(QWidget* target) {
  // Some rounds end at once, with whatever is open still open.
  if (left_ == 0) {
    left_ = -1;
    if (Chance(0.3)) {
      ExitProgram("KILL through the instance channel with windows open");
      sender_.Send(world_->socket, "KILL");
      return;
    }
  }
  // Otherwise each window is closed in turn, then the program ends; one
  // that does not close after many tries is left to Exit.
  --left_;
  if (target != nullptr && left_ > -60) {
    ++counts_.closes;
    if (auto* box = qobject_cast<QMessageBox*>(target)) {
      Note("closing down: Escape on question");
      ++counts_.no;
      SendKey(box, Qt::Key_Escape);
    } else if (qobject_cast<QMenu*>(target) || left_ > -20) {
      Note("closing down: Escape on " + Name(target));
      SendKey(target, Qt::Key_Escape);
    } else {
      Note("closing down: close " + Name(target));
      target->close();
    }
    if (target != world_->window.get() || !world_->window->isVisible()) return;
  }
  auto* close_button = world_->window->Button(ui::main_ids::kIdClose);
  if (world_->window->isVisible() && close_button && close_button->isVisible() &&
      close_button->isEnabled() && Chance(0.5)) {
    ExitProgram("the window's close button");
    QTest::mouseClick(close_button, Qt::LeftButton, Qt::NoModifier, close_button->rect().center());
    return;
  }
  ExitProgram("KILL through the instance channel");
  sender_.Send(world_->socket, "KILL");
}

}  // namespace quorlin::exerciser
