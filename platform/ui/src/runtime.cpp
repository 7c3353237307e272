// Procedure threads, their queues, the outgoing channel and the registry of procedures.
#include "vorel/ui/runtime.h"

#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <stdexcept>

#include "process_state.h"
#include "vorel/core/text.h"

namespace vorel::ui {

namespace {
std::string Fold(std::string_view s) { return text::upper(text::clip(s)); }
}  // namespace

// ---- registries --------------------------------------------------------------------------------

void ProcedureRegistry::Add(std::string name, ProcedureFn fn) {
    auto& t = detail::Procedures();
    std::lock_guard lock(t.m);
    auto key = Fold(name);
    t.byFoldedName[key] = {std::move(name), std::move(fn)};
}

std::optional<ProcedureFn> ProcedureRegistry::Find(std::string_view name) {
    auto& t = detail::Procedures();
    std::lock_guard lock(t.m);
    auto it = t.byFoldedName.find(Fold(name));
    if (it == t.byFoldedName.end()) return std::nullopt;
    return it->second.second;
}

std::vector<std::string> ProcedureRegistry::Names() {
    auto& t = detail::Procedures();
    std::lock_guard lock(t.m);
    std::vector<std::string> names;
    for (auto& [k, v] : t.byFoldedName) names.push_back(v.first);
    return names;
}

void GlobalRegistry::Add(Entry e) {
    auto& t = detail::Globals();
    std::lock_guard lock(t.m);
    auto key = Fold(e.name);
    t.byFoldedName[key] = std::move(e);
}

bool GlobalRegistry::Get(const std::string& name, std::string& out) {
    std::function<std::string()> get;
    {
        auto& t = detail::Globals();
        std::lock_guard lock(t.m);
        auto it = t.byFoldedName.find(Fold(name));
        if (it == t.byFoldedName.end()) return false;
        get = it->second.get;
    }
    out = get ? get() : std::string();
    return true;
}

bool GlobalRegistry::Set(const std::string& name, const std::string& value) {
    std::function<void(const std::string&)> set;
    {
        auto& t = detail::Globals();
        std::lock_guard lock(t.m);
        auto it = t.byFoldedName.find(Fold(name));
        if (it == t.byFoldedName.end()) return false;
        set = it->second.set;
    }
    if (set) set(value);
    return true;
}

std::vector<std::string> GlobalRegistry::Names() {
    auto& t = detail::Globals();
    std::lock_guard lock(t.m);
    std::vector<std::string> names;
    for (auto& [k, v] : t.byFoldedName) names.push_back(v.name);
    return names;
}

// ---- runtime -----------------------------------------------------------------------------------

namespace {
struct ThreadRec {
    int id = 0;
    std::string name;
    ProcedureFn fn;
    pthread_t th{};
    bool joinable = false;
    std::unique_ptr<ProcContext> ctx;
    std::deque<UserEvent> queue;
    std::condition_variable cv;
    bool blocked = false;     // waiting, with nothing it would take
    std::chrono::steady_clock::time_point busySince = std::chrono::steady_clock::now();  // last wake-up
    void Unblock() {
        if (!blocked) return;
        blocked = false;
        busySince = std::chrono::steady_clock::now();
    }
    bool done = false;
    bool joining = false;
    int waitingDialog = 0;    // the dialog whose answer it waits for
    Response response = Response::None;
};
}  // namespace

struct Runtime::Impl {
    Options opt;
    mutable std::mutex m;
    mutable std::condition_variable activity;
    std::map<int, std::unique_ptr<ThreadRec>> threads;
    std::map<int, Response> finished;
    std::map<int, int> windowThread;
    std::map<int, std::string> windowProcedure;  // the procedure whose window it is
    std::set<int> unsaved;                        // forms holding typed values not saved
    std::map<int, int> dialogThread;
    std::vector<UiMessage> out;
    int efd = -1;
    int nextThread = 1;
    std::atomic<int> nextWindow{1};
    std::atomic<int> nextDialog{1};
    std::atomic<bool> stopping{false};
    Runtime* self = nullptr;

    ThreadRec* Rec(int id) {
        auto it = threads.find(id);
        return it == threads.end() ? nullptr : it->second.get();
    }
    // Called with m held.
    void SendLocked(UiMessage msg) {
        bool wasEmpty = out.empty();
        out.push_back(std::move(msg));
        if (wasEmpty && efd >= 0) {
            std::uint64_t one = 1;
            [[maybe_unused]] auto n = ::write(efd, &one, sizeof one);
        }
        activity.notify_all();
    }
    // Joins the threads that have ended. Called without m held.
    void Reap(bool all);
};

namespace {
struct StartArg {
    Runtime::Impl* impl;
    ThreadRec* rec;
};

void* ThreadEntry(void* p) {
    std::unique_ptr<StartArg> arg(static_cast<StartArg*>(p));
    auto* impl = arg->impl;
    auto* rec = arg->rec;
    ProcContext& ctx = *rec->ctx;
    detail::CurrentContext() = &ctx;
    try {
        if (impl->opt.threadStart) impl->opt.threadStart(ctx);
        rec->fn(ctx);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorel: procedure %s ended by an error: %s\n", rec->name.c_str(), e.what());
    } catch (...) {
        std::fprintf(stderr, "vorel: procedure %s ended by an unknown error\n", rec->name.c_str());
    }
    try {
        if (impl->opt.threadEnd) impl->opt.threadEnd(ctx);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vorel: ending the thread of %s: %s\n", rec->name.c_str(), e.what());
    }
    ctx.resources.reset();
    detail::CurrentContext() = nullptr;
    std::lock_guard lock(impl->m);
    rec->done = true;
    rec->response = ctx.response;
    impl->activity.notify_all();
    return nullptr;
}
}  // namespace

void Runtime::Impl::Reap(bool all) {
    std::vector<ThreadRec*> toJoin;
    {
        std::lock_guard lock(m);
        for (auto& [id, rec] : threads) {
            if ((all || rec->done) && !rec->joining) {
                rec->joining = true;
                toJoin.push_back(rec.get());
            }
        }
    }
    // The records stay in the map while their threads may still look them up.
    for (ThreadRec* rec : toJoin) {
        if (rec->joinable) pthread_join(rec->th, nullptr);
        std::unique_ptr<ThreadRec> gone;
        std::lock_guard lock(m);
        finished[rec->id] = rec->response;
        auto it = threads.find(rec->id);
        gone = std::move(it->second);
        threads.erase(it);
    }
}

Runtime::Runtime() : Runtime(Options{}) {}

Runtime::Runtime(Options options) : impl_(std::make_unique<Impl>()) {
    impl_->opt = std::move(options);
    impl_->self = this;
    impl_->efd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

Runtime::~Runtime() {
    Shutdown();
    if (impl_->efd >= 0) ::close(impl_->efd);
}

int Runtime::Start(std::string_view procedure, Request request) {
    auto fn = ProcedureRegistry::Find(procedure);
    if (!fn) throw std::invalid_argument("unknown procedure: " + std::string(procedure));
    return Start(std::string(procedure), std::move(*fn), request);
}

int Runtime::Start(std::string name, ProcedureFn fn, Request request) {
    impl_->Reap(false);
    auto rec = std::make_unique<ThreadRec>();
    ThreadRec* r = rec.get();
    {
        std::lock_guard lock(impl_->m);
        if (impl_->stopping) throw std::runtime_error("the program is closing");
        r->id = impl_->nextThread++;
        r->name = name;
        r->fn = std::move(fn);
        r->ctx = std::make_unique<ProcContext>(*this, r->id, name);
        r->ctx->request = request;
        impl_->threads[r->id] = std::move(rec);
    }
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, impl_->opt.stackSize);
    auto* arg = new StartArg{impl_.get(), r};
    int rc = pthread_create(&r->th, &attr, ThreadEntry, arg);
    pthread_attr_destroy(&attr);
    std::lock_guard lock(impl_->m);
    if (rc != 0) {
        delete arg;
        impl_->threads.erase(r->id);
        throw std::runtime_error("cannot start a thread for " + name);
    }
    r->joinable = true;
    return r->id;
}

void Runtime::Post(const UserEvent& event) {
    std::lock_guard lock(impl_->m);
    int thread = 0;
    if (event.kind == UserEvent::Answer || event.kind == UserEvent::FileAnswer) {
        auto it = impl_->dialogThread.find(event.dialog);
        if (it == impl_->dialogThread.end()) return;
        thread = it->second;
    } else {
        auto it = impl_->windowThread.find(event.window);
        if (it == impl_->windowThread.end()) return;
        thread = it->second;
    }
    ThreadRec* rec = impl_->Rec(thread);
    if (!rec || rec->done) return;
    rec->queue.push_back(event);
    bool takes = rec->waitingDialog == 0 ||
                 ((event.kind == UserEvent::Answer || event.kind == UserEvent::FileAnswer) &&
                  event.dialog == rec->waitingDialog);
    if (takes) {
        rec->Unblock();
        rec->cv.notify_all();
    }
}

int Runtime::WakeFd() const { return impl_->efd; }

std::vector<UiMessage> Runtime::Take() {
    std::vector<UiMessage> msgs;
    std::lock_guard lock(impl_->m);
    msgs.swap(impl_->out);
    if (impl_->efd >= 0) {
        std::uint64_t v;
        [[maybe_unused]] auto n = ::read(impl_->efd, &v, sizeof v);
    }
    return msgs;
}

void Runtime::Pump(FrontEnd& frontEnd) {
    for (auto& m : Take()) frontEnd.Apply(m);
}

bool Runtime::Idle(const std::set<int>& ignore) const {
    std::lock_guard lock(impl_->m);
    if (!impl_->out.empty()) return false;
    for (auto& [id, rec] : impl_->threads) {
        if (rec->done || ignore.count(id)) continue;
        if (!rec->blocked) return false;
    }
    return true;
}

void Runtime::WaitActivity(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(impl_->m);
    if (!impl_->out.empty()) return;
    impl_->activity.wait_for(lock, timeout);
}

std::vector<int> Runtime::Busy(std::chrono::milliseconds longerThan) const {
    std::lock_guard lock(impl_->m);
    const auto now = std::chrono::steady_clock::now();
    std::vector<int> r;
    for (auto& [id, rec] : impl_->threads)
        if (!rec->done && !rec->blocked && now - rec->busySince >= longerThan) r.push_back(id);
    return r;
}

std::vector<std::pair<int, std::string>> Runtime::Running() const {
    std::lock_guard lock(impl_->m);
    std::vector<std::pair<int, std::string>> r;
    for (auto& [id, rec] : impl_->threads)
        if (!rec->done) r.emplace_back(id, rec->name);
    return r;
}

std::optional<Response> Runtime::Finished(int thread) const {
    std::lock_guard lock(impl_->m);
    if (auto it = impl_->finished.find(thread); it != impl_->finished.end()) return it->second;
    if (auto it = impl_->threads.find(thread); it != impl_->threads.end() && it->second->done)
        return it->second->response;
    return std::nullopt;
}

bool Runtime::Stopping() const { return impl_->stopping; }

void Runtime::RequestStop() {
    std::lock_guard lock(impl_->m);
    impl_->stopping = true;
    for (auto& [id, rec] : impl_->threads) rec->cv.notify_all();
    impl_->activity.notify_all();
}

void Runtime::Shutdown() {
    RequestStop();
    impl_->Reap(true);
}

int Runtime::NewWindowId() { return impl_->nextWindow++; }
int Runtime::NewDialogId() { return impl_->nextDialog++; }

std::vector<std::pair<int, int>> Runtime::OpenWindows() const {
    std::lock_guard lock(impl_->m);
    return {impl_->windowThread.begin(), impl_->windowThread.end()};  // ids grow with each window
}

bool Runtime::WaitsForUser(int thread) const {
    std::lock_guard lock(impl_->m);
    auto it = impl_->threads.find(thread);
    if (it == impl_->threads.end()) return false;
    const ThreadRec& r = *it->second;
    return !r.done && r.blocked && r.waitingDialog == 0 && r.queue.empty();
}

void Runtime::BindWindow(int window, int thread) {
    std::lock_guard lock(impl_->m);
    impl_->windowThread[window] = thread;
}

void Runtime::UnbindWindow(int window) {
    std::lock_guard lock(impl_->m);
    impl_->windowThread.erase(window);
    impl_->windowProcedure.erase(window);
    impl_->unsaved.erase(window);
}

void Runtime::NameWindow(int window, std::string procedure) {
    std::lock_guard lock(impl_->m);
    if (impl_->windowThread.count(window)) impl_->windowProcedure[window] = std::move(procedure);
}

int Runtime::WindowOfProcedure(std::string_view procedure) const {
    std::lock_guard lock(impl_->m);
    for (auto it = impl_->windowProcedure.rbegin(); it != impl_->windowProcedure.rend(); ++it)
        if (it->second == procedure) return it->first;
    return 0;
}

void Runtime::MarkUnsaved(int window, bool unsaved) {
    std::lock_guard lock(impl_->m);
    if (unsaved && impl_->windowThread.count(window)) impl_->unsaved.insert(window);
    else impl_->unsaved.erase(window);
}

std::vector<int> Runtime::UnsavedWindows() const {
    std::lock_guard lock(impl_->m);
    return {impl_->unsaved.begin(), impl_->unsaved.end()};
}

void Runtime::Send(UiMessage message) {
    std::lock_guard lock(impl_->m);
    impl_->SendLocked(std::move(message));
}

// ---- the thread's side ---------------------------------------------------------------------------

ProcContext::ProcContext(Runtime& runtime, int thread, std::string name)
    : runtime_(runtime), thread_(thread), name_(std::move(name)) {}

ProcContext::~ProcContext() = default;

ProcContext* ProcContext::Current() { return detail::CurrentContext(); }

Response ProcContext::Call(std::string_view procedure, Request r) {
    auto fn = ProcedureRegistry::Find(procedure);
    if (!fn) throw std::invalid_argument("unknown procedure: " + std::string(procedure));
    return Call(*fn, r);
}

Response ProcContext::Call(const ProcedureFn& fn, Request r) {
    Request savedRequest = request;
    Response savedResponse = response;
    request = r;
    response = Response::None;
    fn(*this);
    Response result = response;
    request = savedRequest;
    response = savedResponse;
    return result;
}

bool ProcContext::StopRequested() const { return runtime_.Stopping(); }

std::optional<UserEvent> ProcContext::WaitEvent(std::optional<std::chrono::milliseconds> timeout,
                                                bool* timedOut) {
    if (timedOut) *timedOut = false;
    auto* impl = runtime_.impl_.get();
    std::unique_lock lock(impl->m);
    ThreadRec* rec = impl->Rec(thread_);
    auto deadline = std::chrono::steady_clock::now() + timeout.value_or(std::chrono::milliseconds(0));
    for (;;) {
        if (impl->stopping) return std::nullopt;
        while (!rec->queue.empty()) {
            UserEvent e = std::move(rec->queue.front());
            rec->queue.pop_front();
            if (e.kind == UserEvent::Answer || e.kind == UserEvent::FileAnswer) continue;  // stale
            rec->Unblock();
            return e;
        }
        if (timeout && timeout->count() <= 0) {  // a poll: the thread is not waiting
            if (timedOut) *timedOut = true;
            return std::nullopt;
        }
        rec->blocked = true;
        impl->activity.notify_all();
        if (timeout) {
            if (rec->cv.wait_until(lock, deadline) == std::cv_status::timeout && rec->queue.empty() &&
                !impl->stopping) {
                rec->Unblock();
                if (timedOut) *timedOut = true;
                return std::nullopt;
            }
        } else {
            rec->cv.wait(lock);
        }
        rec->Unblock();
    }
}

namespace {
template <class Asked>
std::optional<UserEvent> AskAndWait(Runtime::Impl* impl, int thread, int dialog, Asked asked) {
    std::unique_lock lock(impl->m);
    if (impl->stopping) return std::nullopt;
    ThreadRec* rec = impl->Rec(thread);
    impl->dialogThread[dialog] = thread;
    rec->waitingDialog = dialog;
    impl->SendLocked(std::move(asked));
    std::optional<UserEvent> answer;
    for (;;) {
        auto it = std::find_if(rec->queue.begin(), rec->queue.end(), [&](const UserEvent& e) {
            return (e.kind == UserEvent::Answer || e.kind == UserEvent::FileAnswer) && e.dialog == dialog;
        });
        if (it != rec->queue.end()) {
            answer = *it;
            rec->queue.erase(it);
            break;
        }
        if (impl->stopping) {
            impl->SendLocked(DialogWithdrawn{dialog});
            break;
        }
        rec->blocked = true;
        impl->activity.notify_all();
        rec->cv.wait(lock);
        rec->Unblock();
    }
    rec->waitingDialog = 0;
    rec->Unblock();
    impl->dialogThread.erase(dialog);
    return answer;
}
}  // namespace

int ProcContext::AskMessageBox(MessageBoxAsked box) {
    box.dialog = runtime_.NewDialogId();
    box.thread = thread_;
    int dialog = box.dialog;
    auto answer = AskAndWait(runtime_.impl_.get(), thread_, dialog, std::move(box));
    return answer ? answer->number : 0;
}

std::optional<std::string> ProcContext::AskFile(FileDialogAsked dialog) {
    dialog.dialog = runtime_.NewDialogId();
    dialog.thread = thread_;
    int id = dialog.dialog;
    auto answer = AskAndWait(runtime_.impl_.get(), thread_, id, std::move(dialog));
    if (!answer || answer->number == 0) return std::nullopt;
    return answer->text;
}

}  // namespace vorel::ui
