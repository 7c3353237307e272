// Procedure threads, the registry of procedures by name, and the channel to a front end.
//
// A `Runtime` (one per program; each test makes its own) starts procedures on threads of their own
// (`Start`), each with an explicit stack size, its own event queue, its own `Request`/`Response` and
// its own thread resources (the table dictionary: `Options::threadStart`/`threadEnd` build and tear
// them down on the thread). A procedure is plain sequential code `void(ProcContext&)`: it blocks in
// its window's event loop, in a message box or in a procedure it calls on its own thread
// (`ProcContext::Call`), exactly as the window procedures read.
//
// Front ends talk to it in two directions: `Post` a user's event (any thread); watch `WakeFd` (an
// eventfd that becomes readable when messages wait) and call `Pump` on the GUI thread to apply the
// waiting messages to a `FrontEnd`. Procedure threads never wait for the front end except for an
// answer to a dialog they asked.
//
// Shutdown (`Shutdown`, or the destructor) sets the stop flag, makes every blocking call return
// (event loops end, message boxes answer 0), and joins every thread; no thread is detached.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/ui/messages.h"
#include "vorel/ui/types.h"

namespace vorel::ui {

class ProcContext;
class Window;
using ProcedureFn = std::function<void(ProcContext&)>;

// Procedures by name, process-wide: subsystems add theirs when the program starts; the menu and
// other subsystems start or call them by name. Names compare without regard to case.
class ProcedureRegistry {
public:
    static void Add(std::string name, ProcedureFn fn);
    static std::optional<ProcedureFn> Find(std::string_view name);
    static std::vector<std::string> Names();
};

// A front end: applies the messages of the procedures to what it shows (on its own thread).
class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    virtual void Apply(const UiMessage& message) = 0;
};

class Runtime {
public:
    struct Options {
        std::size_t stackSize = 1024 * 1024;
        std::function<void(ProcContext&)> threadStart;  // e.g. the table dictionary of the thread
        std::function<void(ProcContext&)> threadEnd;
    };
    Runtime();
    explicit Runtime(Options options);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // Starts a procedure on a new thread with `Request` set to `request`; returns the thread id.
    // Throws std::invalid_argument for an unknown name, std::runtime_error when shutting down or
    // when the thread cannot be made.
    int Start(std::string_view procedure, Request request = Request::None);
    int Start(std::string name, ProcedureFn fn, Request request = Request::None);

    // A user's event, from any thread. Events for a window that is gone are dropped.
    void Post(const UserEvent& event);

    // The outgoing channel.
    int WakeFd() const;                     // readable while messages wait
    std::vector<UiMessage> Take();          // takes every waiting message, in order
    void Pump(FrontEnd& frontEnd);          // Take + Apply each

    // True when every procedure thread (but those in `ignore`) is blocked waiting for an event or an
    // answer with nothing to take, and no message waits: checked under one lock.
    bool Idle(const std::set<int>& ignore = {}) const;
    // Blocks until something happens (a thread blocks or ends, a message is queued) or `timeout`.
    void WaitActivity(std::chrono::milliseconds timeout) const;

    // Threads that have been working, not waiting for the user, for `longerThan` or more (a front
    // end shows a busy cursor over their windows).
    std::vector<int> Busy(std::chrono::milliseconds longerThan) const;
    // Threads still running (started and not ended), with their procedure names.
    std::vector<std::pair<int, std::string>> Running() const;
    // Open windows with the threads that own them, in opening order.
    std::vector<std::pair<int, int>> OpenWindows() const;
    // True when `thread` waits for a user's event (not for a dialog's answer) with nothing left to
    // take; false while it works, waits for an answer, or when it has ended.
    bool WaitsForUser(int thread) const;
    // The `Response` a finished thread's procedure left; nullopt while it runs or when unknown.
    std::optional<Response> Finished(int thread) const;

    bool Stopping() const;
    // Sets the stop flag and wakes every waiting procedure, without waiting for them (from any
    // thread, a procedure's own included); `Shutdown` then joins them.
    void RequestStop();
    void Shutdown();

    // Ids for windows and dialogs, unique in the process.
    int NewWindowId();
    int NewDialogId();

    // Used by the window layer: records which thread owns a window, and sends a message out.
    void BindWindow(int window, int thread);
    void UnbindWindow(int window);
    // The procedure an open window belongs to (set by its controller when it opens), and the
    // newest open window of a procedure (0 when none).
    void NameWindow(int window, std::string procedure);
    int WindowOfProcedure(std::string_view procedure) const;
    // Insert and change forms say here whether they hold values typed and not saved; the frame
    // asks before the program ends.
    void MarkUnsaved(int window, bool unsaved);
    std::vector<int> UnsavedWindows() const;
    void Send(UiMessage message);

    struct Impl;

private:
    friend class ProcContext;
    std::unique_ptr<Impl> impl_;
};

// The per-thread side of a procedure: its Request/Response, its queue, its calls.
class ProcContext {
public:
    // The context of the calling thread; nullptr on a thread that is not a procedure thread.
    static ProcContext* Current();

    Runtime& runtime() { return runtime_; }
    int thread() const { return thread_; }
    const std::string& name() const { return name_; }

    Request request = Request::None;    // the global Request of the running procedure
    Response response = Response::None; // its outcome

    // Runs a procedure on this thread with `Request` = r and returns the `Response` it left.
    // The caller's own request and response are kept. Throws std::invalid_argument for an unknown
    // name.
    Response Call(std::string_view procedure, Request r = Request::None);
    Response Call(const ProcedureFn& fn, Request r = Request::None);

    bool StopRequested() const;

    // Waits for the next event of this thread. Returns nullopt when the program is stopping, or,
    // with a timeout, when it passes (`timedOut` is then set).
    std::optional<UserEvent> WaitEvent(std::optional<std::chrono::milliseconds> timeout = {},
                                       bool* timedOut = nullptr);
    // Asks a dialog of the front end and waits for its answer. The dialog id is filled in.
    // Returns the 1-based button, or 0 when the program is stopping.
    int AskMessageBox(MessageBoxAsked box);
    // Returns the chosen path, or nullopt when cancelled or stopping.
    std::optional<std::string> AskFile(FileDialogAsked dialog);

    // Windows of this thread, last opened last (the top one takes the events).
    std::vector<Window*>& windows() { return windows_; }
    Window* TopWindow() { return windows_.empty() ? nullptr : windows_.back(); }

    // Field history of the forms of this thread: per history name, the controls' last saved texts.
    std::map<std::string, std::map<int, std::string>> fieldHistory;

    // Per-thread resources (the table dictionary): owned by the context, made by threadStart.
    std::shared_ptr<void> resources;

    ProcContext(Runtime& runtime, int thread, std::string name);
    ~ProcContext();
    ProcContext(const ProcContext&) = delete;
    ProcContext& operator=(const ProcContext&) = delete;

private:
    Runtime& runtime_;
    int thread_;
    std::string name_;
    std::vector<Window*> windows_;
};

}  // namespace vorel::ui
