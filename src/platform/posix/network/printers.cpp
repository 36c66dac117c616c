// Printer connections as CUPS queues whose device is the Windows share, printed to through
// Samba's smb backend.
#include <sys/socket.h>

#include <cerrno>
#include <functional>
#include <vector>

#include "platform/posix/errno_status.h"
#include "platform/posix/limited_child.h"
#include "platform/posix/network/cups_library.h"
#include "platform/posix/network/printer_names.h"
#include "platform/posix/network/printer_service.h"
#include "platform/shell.h"
#include "platform/status.h"
#include "platform/text_rules.h"

namespace vtx::platform {

namespace {

// A scheduler that does not answer must not hold up the logon: neither the connection nor
// any one wait for it is longer than this, and a statement's whole conversation with it ends
// within kSchedulerSeconds (libcups waits its time afresh for each piece of an answer).
constexpr int kConnectMs = 10000;
constexpr double kRequestSeconds = 10.0;
constexpr int kSchedulerSeconds = 15;

struct Queue {
    std::string name;
    std::string device_uri;
    std::string info;
};

int32_t status_from_ipp(ipp_status_t st) {
    if (st <= IPP_STATUS_OK_EVENTS_COMPLETE) return 0;
    switch (st) {
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    // No password to give (prompts are off): the scheduler wanted a more privileged user.
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED: return status::kAccessDenied;
    default: break;
    }
    // The scheduler's own troubles are the spooler's; the rest is about the printer asked for.
    return st >= IPP_STATUS_ERROR_INTERNAL ? status::kSpoolerUnavailable
                                           : status::kInvalidPrinterName;
}

// One connection to the scheduler named by CUPS_SERVER (or the client configuration).
class Scheduler {
  public:
    explicit Scheduler(const CupsLibrary& cups) : cups_(cups) {
        http_ = cups.connect(cups.server(), cups.port(), nullptr, AF_UNSPEC, cups.encryption(), 1,
                             kConnectMs, nullptr);
        if (http_) cups.set_timeout(http_, kRequestSeconds, nullptr, nullptr);
    }
    ~Scheduler() {
        if (http_) cups_.close(http_);
    }
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    http_t* http() const { return http_; }

    int32_t queues(std::vector<Queue>& out) {
        static const char* const kWanted[] = {"printer-name", "device-uri", "printer-info"};
        ipp_t* request = cups_.new_request(IPP_OP_CUPS_GET_PRINTERS);
        cups_.add_strings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3,
                          nullptr, kWanted);
        ipp_t* response = cups_.do_request(http_, request, "/");
        ipp_status_t st = cups_.last_error();
        if (st == IPP_STATUS_ERROR_NOT_FOUND) st = IPP_STATUS_OK; // no queues at all
        if (response) read_queues(response, out);
        cups_.free_ipp(response);
        return status_from_ipp(st);
    }

    int32_t add_queue(const std::string& name, const std::string& device_uri,
                      const std::string& info) {
        ipp_t* request = admin_request(IPP_OP_CUPS_ADD_MODIFY_PRINTER, name);
        cups_.add_string(request, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
                         device_uri.c_str());
        cups_.add_string(request, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-info", nullptr,
                         info.c_str());
        // Ready for jobs at once, as a new Windows connection is.
        cups_.add_boolean(request, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
        cups_.add_integer(request, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
        return finish(request);
    }

    int32_t delete_queue(const std::string& name) {
        return finish(admin_request(IPP_OP_CUPS_DELETE_PRINTER, name));
    }

  private:
    ipp_t* admin_request(ipp_op_t op, const std::string& name) {
        ipp_t* request = cups_.new_request(op);
        std::string uri = "ipp://localhost/printers/" + name;
        cups_.add_string(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                         uri.c_str());
        cups_.add_string(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                         cups_.user());
        return request;
    }

    int32_t finish(ipp_t* request) {
        cups_.free_ipp(cups_.do_request(http_, request, "/admin/"));
        return status_from_ipp(cups_.last_error());
    }

    // The printers come as groups of attributes divided by separators (no name, no group).
    void read_queues(ipp_t* response, std::vector<Queue>& out) {
        Queue q;
        auto flush = [&] {
            if (!q.name.empty()) out.push_back(q);
            q = Queue();
        };
        for (ipp_attribute_t* a = cups_.first_attribute(response); a;
             a = cups_.next_attribute(response)) {
            const char* name = cups_.attribute_name(a);
            if (!name || cups_.attribute_group(a) != IPP_TAG_PRINTER) {
                flush();
                continue;
            }
            const char* value = cups_.attribute_string(a, 0, nullptr);
            std::string text = value ? value : "";
            std::string_view n = name;
            if (n == "printer-name")
                q.name = text;
            else if (n == "device-uri")
                q.device_uri = text;
            else if (n == "printer-info")
                q.info = text;
        }
        flush();
    }

    const CupsLibrary& cups_;
    http_t* http_ = nullptr;
};

// The queue VTX32 made for this share, if any.
const Queue* our_queue(const std::vector<Queue>& queues, const PrinterShare& share) {
    for (const Queue& q : queues)
        if (is_made_by_vtx32(q.info) && device_serves_share(q.device_uri, share)) return &q;
    return nullptr;
}

// A queue an administrator set up for the same share: a user without the right to add
// queues connects to it instead.
const Queue* serving_queue(const std::vector<Queue>& queues, const PrinterShare& share) {
    for (const Queue& q : queues)
        if (device_serves_share(q.device_uri, share)) return &q;
    return nullptr;
}

// Makes `queue` the user's default (`make`), or stops it being the default when it is: 0, or 2
// when the scheduler has no such queue. The user's own choice (~/.cups/lpoptions): no
// privilege needed.
int32_t change_user_default(const CupsLibrary& cups, Scheduler& scheduler, const std::string& queue,
                            bool make) {
    cups_dest_t* dests = nullptr;
    int count = cups.get_dests(scheduler.http(), &dests);
    int found = -1;
    for (int i = 0; i < count; ++i)
        if (!dests[i].instance && equal_nocase(dests[i].name, queue)) found = i;
    int32_t st = found < 0 ? status::kFileNotFound : 0;
    if (found >= 0 && (make || dests[found].is_default)) {
        for (int i = 0; i < count; ++i) dests[i].is_default = make && i == found;
        errno = 0;
        if (cups.set_dests(scheduler.http(), count, dests) != 0)
            st = errno ? status_from_errno(errno) : status::kAccessDenied;
    }
    cups.free_dests(count, dests);
    return st;
}

using SchedulerWork = std::function<int32_t(const CupsLibrary&, Scheduler&, std::string&)>;

// Runs `work` with a connected scheduler, in a child process killed at the deadline: 0 and
// the text `work` gave, or its status; 50 without libcups, 1722 when no scheduler answers
// in time.
int32_t with_scheduler(const SchedulerWork& work, std::string& text) {
    const CupsLibrary* cups = cups_library();
    if (!cups) return status::kNotSupported;
    return run_limited_status(
        [&] {
            Scheduler scheduler(*cups);
            std::string out;
            int32_t st =
                scheduler.http() ? work(*cups, scheduler, out) : status::kSpoolerUnavailable;
            return status_reply(st, out);
        },
        kSchedulerSeconds, status::kSpoolerUnavailable, text);
}

} // namespace

int32_t add_printer_connection(const std::string& name, std::string& devices_entry_out) {
    PrinterShare share;
    if (!parse_printer_share(name, share)) return status::kInvalidPrinterName;
    auto work = [&](const CupsLibrary&, Scheduler& scheduler, std::string& entry) {
        std::vector<Queue> queues;
        if (int32_t st = scheduler.queues(queues)) return st;
        std::string uri = share_device_uri(share);
        std::string queue;
        if (const Queue* ours = our_queue(queues, share)) {
            // Connecting again is no error, as on Windows.
            queue = ours->name;
        } else if (const Queue* theirs = serving_queue(queues, share)) {
            queue = theirs->name;
        } else {
            std::vector<std::string> taken;
            for (const Queue& q : queues) taken.push_back(q.name);
            queue = free_queue_name(queue_base_name(share), taken);
            int32_t st = scheduler.add_queue(queue, uri, made_by_vtx32_info(name));
            // The queue's name, for the desktop's service to add it instead.
            if (st == status::kAccessDenied) entry = queue;
            if (st) return st;
        }
        entry = devices_entry(queue);
        return int32_t(0);
    };
    std::string text;
    int32_t st = with_scheduler(work, text);
    if (st == status::kAccessDenied && !text.empty()) {
        // Out of the scheduler's child: the bus call keeps its own limit.
        st = add_queue_through_service(text, share_device_uri(share), made_by_vtx32_info(name));
        if (st == 0) text = devices_entry(text);
    }
    if (st == 0) devices_entry_out = text;
    return st;
}

int32_t delete_printer_connection(const std::string& name, bool& drop_devices_entry) {
    PrinterShare share;
    if (!parse_printer_share(name, share)) return status::kInvalidPrinterName;
    auto work = [&](const CupsLibrary& cups, Scheduler& scheduler, std::string& refused) {
        std::vector<Queue> queues;
        if (int32_t st = scheduler.queues(queues)) return st;
        const Queue* ours = our_queue(queues, share);
        const Queue* queue = ours ? ours : serving_queue(queues, share);
        if (!queue) return status::kInvalidPrinterName;
        // While the queue is still there to name: the default goes with the connection.
        if (int32_t st = change_user_default(cups, scheduler, queue->name, false)) return st;
        // A queue someone else set up for the same share is not ours to remove.
        if (!ours) return int32_t(0);
        int32_t st = scheduler.delete_queue(ours->name);
        if (st == status::kAccessDenied) refused = ours->name;
        return st;
    };
    std::string refused;
    int32_t st = with_scheduler(work, refused);
    // The desktop's service may remove what it added for this user.
    if (st == status::kAccessDenied && !refused.empty()) st = delete_queue_through_service(refused);
    drop_devices_entry = st == 0;
    return st;
}

int32_t make_default_printer(const std::string& entry) {
    std::string queue;
    // A printer VTX32 did not connect has nothing in CUPS to make the default.
    if (!queue_of_devices_entry(entry, queue)) return 0;
    auto work = [&](const CupsLibrary& cups, Scheduler& scheduler, std::string&) {
        return change_user_default(cups, scheduler, queue, true);
    };
    std::string unused;
    return with_scheduler(work, unused);
}

} // namespace vtx::platform
