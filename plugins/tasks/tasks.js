// The "Tasks" client: a list of things to do, one task a line, "- [ ] " in
// front of an open one and "- [x] " in front of one that is done: a
// Markdown task list, which is what its files hold (tasks other programs
// wrote may start "* [ ] " or "+ [X] " as well). The
// commands of Tasks.json call these functions with the active list, whose
// property "Text" is what it shows and "@Line" the line of the cursor.
// Whether a task marked done moves to the end is the setting "DoneAtEnd" of
// the Settings dialog's "Tasks" page (declared in Tasks.json).

const OPEN = "- [ ] ";
// A task's bullet, its mark (a space while open) and the rest.
const TASK = /^([-*+] \[)([ xX])(\] )/;

// The lines of the list. The newline that ends a file's last line is not
// an empty line of its own: write() puts it back.
function read(list) {
  const text = list.get("Text");
  const lines = text === "" ? [] : text.split("\n");
  if (text.endsWith("\n")) lines.pop();
  return lines;
}

function write(list, lines, line) {
  const ending = list.get("Text").endsWith("\n") && lines.length > 0 ? "\n" : "";
  list.set("Text", lines.join("\n") + ending);
  list.set("@Line", line);
}

function isTask(line) {
  return TASK.test(line);
}

function isDone(task) {
  const parts = TASK.exec(task);
  return parts !== null && parts[2] !== " ";
}

// Open tasks first within each run of tasks, each part in its own order;
// headings, notes and empty lines stay where they are.
function ordered(lines) {
  const result = [];
  let run = [];
  const endRun = () => {
    result.push(...run.filter(task => !isDone(task)), ...run.filter(isDone));
    run = [];
  };
  for (const line of lines) {
    if (isTask(line)) {
      run.push(line);
    } else {
      endRun();
      result.push(line);
    }
  }
  endRun();
  return result;
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
  // A heading, a note or an empty line of a Markdown file stays as it is.
  if (!isTask(task)) {
    app.status(qsTr("This line is not a task"), 3000);
    return;
  }
  tasks[line] = task.replace(TASK, (all, bullet, mark, rest) => bullet + (mark === " " ? "x" : " ") + rest);
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
