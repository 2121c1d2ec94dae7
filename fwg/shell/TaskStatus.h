// Not API: the running tasks in the main window's status bar. One progress
// bar for all of them (the one task's progress, the mean of several, or a
// busy bar while any cannot say how far it is), a button naming the task or
// counting them, and, from the button, a list of each task with its
// progress and Cancel. Hidden while nothing runs; made on the first task.
// Nothing of it wakes the application while nothing runs.
#pragma once

namespace fwg {

class TaskStatus {
 public:
  // Tasks started or ended: the view catches up shortly, once for however
  // many changed meanwhile.
  static void Update();
};

}  // namespace fwg
