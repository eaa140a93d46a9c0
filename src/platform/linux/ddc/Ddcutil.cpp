#include "platform/linux/ddc/Ddcutil.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <shared_mutex>

#include <ddcutil_c_api.h>
#include <ddcutil_status_codes.h>

namespace brillex::ddc {
namespace {

constexpr DDCA_Vcp_Feature_Code kBrightness = 0x10;
constexpr const char* kLibrary = "libddcutil.so.4";

// The library's functions, looked up once it is loaded.
struct Api {
    decltype(&ddca_set_fout) setFout;
    decltype(&ddca_set_ferr) setFerr;
    decltype(&ddca_enable_verify) enableVerify;
    decltype(&ddca_redetect_displays) redetect;
    decltype(&ddca_get_display_info_list2) displayList;
    decltype(&ddca_free_display_info_list) freeDisplayList;
    decltype(&ddca_get_error_detail) errorDetail;
    decltype(&ddca_free_error_detail) freeErrorDetail;
    decltype(&ddca_open_display2) open;
    decltype(&ddca_close_display) close;
    decltype(&ddca_get_non_table_vcp_value) getValue;
    decltype(&ddca_set_non_table_vcp_value) setValue;
    decltype(&ddca_rc_name) statusName;
};
const Api* api = nullptr;

template <class F>
bool lookUp(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

// Detection takes it alone; bus traffic shares it. `generation` counts detections.
std::shared_mutex& libraryLock() {
    static std::shared_mutex lock;
    return lock;
}
std::uint64_t generation = 0;

// The library's settings for output and verification are per thread.
void quietThread() {
    thread_local bool done = false;
    if (done) return;
    api->setFout(nullptr);
    api->setFerr(nullptr);
    // A drag's writes are not each read back; the source reads once they settle.
    api->enableVerify(false);
    done = true;
}

bool deniesAccess(const DDCA_Error_Detail* detail) {
    if (!detail) return false;
    if (detail->status_code == -EACCES) return true;
    for (std::uint16_t i = 0; i < detail->cause_ct; ++i) {
        if (deniesAccess(detail->causes[i])) return true;
    }
    return false;
}

class DdcDevice : public BrightnessDevice {
public:
    explicit DdcDevice(const Ddcutil::Monitor& monitor)
        : reference_(monitor.reference), generation_(monitor.generation) {}
    ~DdcDevice() override {
        const std::shared_lock guard(libraryLock());
        if (handle_ && generation_ == generation) api->close(handle_);
    }

    Reading read() override {
        const std::shared_lock guard(libraryLock());
        if (const std::int32_t status = open()) return {status, 0.0f};
        DDCA_Non_Table_Vcp_Value value{};
        const DDCA_Status status = api->getValue(handle_, kBrightness, &value);
        if (status != 0) return {status, 0.0f};
        const int maximum = value.mh << 8 | value.ml;
        const int current = value.sh << 8 | value.sl;
        if (maximum == 0) return {DDCRC_BAD_DATA, 0.0f};
        maximum_ = maximum;
        return {0, std::min(1.0f, static_cast<float>(current) / static_cast<float>(maximum))};
    }

    std::int32_t write(float value) override {
        if (maximum_ == 0) {
            const Reading first = read();
            if (first.status != 0) return first.status;
        }
        const std::shared_lock guard(libraryLock());
        if (const std::int32_t status = open()) return status;
        const long level = std::lround(static_cast<double>(value) * maximum_);
        return api->setValue(handle_, kBrightness, static_cast<std::uint8_t>(level >> 8),
                                            static_cast<std::uint8_t>(level & 0xFF));
    }

private:
    // 0 once the handle is open.
    std::int32_t open() {
        if (generation_ != generation) return Ddcutil::kStale;
        if (handle_) return 0;
        quietThread();
        return api->open(static_cast<DDCA_Display_Ref>(reference_), false, &handle_);
    }

    void* reference_;
    std::uint64_t generation_;
    DDCA_Display_Handle handle_ = nullptr;
    int maximum_ = 0;
};

} // namespace

std::optional<std::string> Ddcutil::load() {
    static std::optional<std::string> failure;
    static bool tried = false;
    if (tried) return failure;
    tried = true;
    // Loading runs the library's own start-up, which reports on stdout and
    // stderr (on a machine without DRM devices, that it found none): it must
    // not reach the program's output, nor `brillex ctl`'s.
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = dup(STDOUT_FILENO);
    const int savedErr = dup(STDERR_FILENO);
    const int quiet = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (quiet >= 0) {
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        ::close(quiet);
    }
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    std::fflush(stdout);
    std::fflush(stderr);
    if (savedOut >= 0) dup2(savedOut, STDOUT_FILENO), ::close(savedOut);
    if (savedErr >= 0) dup2(savedErr, STDERR_FILENO), ::close(savedErr);
    if (!library) return failure = std::string(dlerror());
    static Api found{};
    const bool complete =
        lookUp(library, "ddca_set_fout", found.setFout) && lookUp(library, "ddca_set_ferr", found.setFerr) &&
        lookUp(library, "ddca_enable_verify", found.enableVerify) &&
        lookUp(library, "ddca_redetect_displays", found.redetect) &&
        lookUp(library, "ddca_get_display_info_list2", found.displayList) &&
        lookUp(library, "ddca_free_display_info_list", found.freeDisplayList) &&
        lookUp(library, "ddca_get_error_detail", found.errorDetail) &&
        lookUp(library, "ddca_free_error_detail", found.freeErrorDetail) &&
        lookUp(library, "ddca_open_display2", found.open) && lookUp(library, "ddca_close_display", found.close) &&
        lookUp(library, "ddca_get_non_table_vcp_value", found.getValue) &&
        lookUp(library, "ddca_set_non_table_vcp_value", found.setValue) &&
        lookUp(library, "ddca_rc_name", found.statusName);
    if (!complete) return failure = std::string(kLibrary) + " lacks a function this program needs";
    api = &found;
    return std::nullopt;
}

Ddcutil::Detection Ddcutil::detect() {
    if (!api) return {};
    const std::unique_lock guard(libraryLock());
    quietThread();
    static bool detected = false;
    if (detected) api->redetect();
    detected = true;
    ++generation;
    Detection detection;
    DDCA_Display_Info_List* list = nullptr;
    api->displayList(false, &list);
    DDCA_Error_Detail* detail = api->errorDetail();
    detection.accessDenied = deniesAccess(detail);
    if (detail) api->freeErrorDetail(detail);
    for (int i = 0; list && i < list->ct; ++i) {
        const DDCA_Display_Info& info = list->info[i];
        if (info.path.io_mode != DDCA_IO_I2C) continue;
        Monitor monitor;
        monitor.bus = info.path.path.i2c_busno;
        monitor.edid.assign(info.edid_bytes, info.edid_bytes + sizeof info.edid_bytes);
        monitor.model = info.model_name;
        monitor.reference = info.dref;
        monitor.generation = generation;
        detection.monitors.push_back(std::move(monitor));
    }
    if (list) api->freeDisplayList(list);
    return detection;
}

std::unique_ptr<BrightnessDevice> Ddcutil::device(const Monitor& monitor) {
    return std::make_unique<DdcDevice>(monitor);
}

std::string Ddcutil::statusName(std::int32_t status) {
    const char* name = api ? api->statusName(status) : nullptr;
    return name ? name : std::to_string(status);
}

} // namespace brillex::ddc
