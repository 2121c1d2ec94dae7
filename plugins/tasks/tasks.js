// The "Tasks" client: a list of things to do, one task a line, "- [ ] " in
// front of an open one and "- [x] " in front of one that is done: a
// Markdown task list, which is what its files hold. The
// commands of Tasks.json call these functions with the active list, whose
// property "Text" is what it shows and "@Line" the line of the cursor.
// Whether a task marked done moves to the end is the setting "DoneAtEnd" of
// the Settings dialog's "Tasks" page (declared in Tasks.json).

const OPEN = "- [ ] ";
const DONE = "- [x] ";

function read(list) {
  const text = list.get("Text");
  return text === "" ? [] : text.split("\n");
}

function write(list, tasks, line) {
  list.set("Text", tasks.join("\n"));
  list.set("@Line", line);
}

function isDone(task) {
  return task.startsWith(DONE);
}

// Open tasks first, each part in its own order.
function ordered(tasks) {
  return tasks.filter(task => !isDone(task)).concat(tasks.filter(isDone));
}

// A new list starts with one open task.
export function created(list) {
  write(list, [OPEN], 0);
}

export function add(list) {
  const tasks = read(list);
  const line = Math.min(list.get("@Line") + 1, tasks.length);
  tasks.splice(line, 0, OPEN);
  write(list, tasks, line);
}

export function toggle(list) {
  const tasks = read(list);
  const line = list.get("@Line");
  if (line >= tasks.length) return;
  const task = tasks[line];
  tasks[line] = isDone(task) ? OPEN + task.slice(DONE.length)
                             : DONE + (task.startsWith(OPEN) ? task.slice(OPEN.length) : task);
  write(list, app.setting("Tasks/DoneAtEnd") ? ordered(tasks) : tasks, line);
}

export function sort(list) {
  write(list, ordered(read(list)), 0);
}

// Texts the user reads go through qsTr, translated in the context "tasks"
// (this file's name) by the files the description names.
export function removeDone(list) {
  const left = read(list).filter(task => !isDone(task));
  write(list, left, 0);
  app.status(qsTr("%1 tasks left").arg(left.length), 3000);
}
