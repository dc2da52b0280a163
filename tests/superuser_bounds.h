// Files and folders that refuse access even when the tests run as the
// superuser (as CI does), whom permissions do not bind.
#pragma once

#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

// What a guard could not do, for the skip message; effective when it did it.
class SuperuserBound {
public:
    SuperuserBound(const SuperuserBound&) = delete;
    SuperuserBound& operator=(const SuperuserBound&) = delete;
    bool effective() const { return why_.empty(); }
    std::string why() const { return "this machine cannot " + what_ + " (" + why_ + ")"; }

protected:
    explicit SuperuserBound(std::string what) : what_(std::move(what)) {}
    ~SuperuserBound() = default;
    // Notes a failed step with the system's reason; false.
    static bool failed(std::string& why, const char* step) {
        why = std::string(step) + ": " + std::strerror(errno);
        return false;
    }
    std::string why_;

private:
    std::string what_;
};

// A folder that takes no new files for the rest of its life in a test. For
// the superuser it becomes a read-only bind mount in a private mount
// namespace of the calling thread, so nothing outside the test sees it and
// the mount goes with the process at the latest. (Lowering the superuser's
// powers would not do: access(), which tells whether a folder is writable,
// asks the permitted powers, not the effective ones.)
class ReadOnlyFolder : public SuperuserBound {
public:
    explicit ReadOnlyFolder(QString folder)
        : SuperuserBound("keep the superuser from writing a folder"), folder_(std::move(folder)) {
        if (geteuid() != 0) {
            QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        // Once per thread: mounts made from here on stay in this thread's view.
        static thread_local std::string unshared;
        static thread_local const bool isPrivate =
            (unshare(CLONE_NEWNS) == 0 || failed(unshared, "unshare(CLONE_NEWNS)")) &&
            (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 ||
             failed(unshared, "mount --make-rprivate /"));
        why_ = unshared;
        const QByteArray path = QFile::encodeName(folder_);
        mounted_ = isPrivate &&
                   (mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0 ||
                    failed(why_, "mount --bind"));
        if (mounted_ &&
            mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr))
            failed(why_, "mount -o remount,bind,ro");
    }
    ~ReadOnlyFolder() {
        if (mounted_) {
            umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
        } else if (geteuid() != 0) {
            QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

private:
    QString folder_;
    bool mounted_ = false;
};

// While it lives, file permissions bind the calling thread even when it is
// the superuser: the powers to override them leave its effective set, and
// come back afterwards.
class PermissionsBindTheSuperuser : public SuperuserBound {
public:
    PermissionsBindTheSuperuser() : SuperuserBound("make file permissions bind the superuser") {
        if (geteuid() != 0) return;
        if (syscall(SYS_capget, &header_, saved_) != 0 && !failed(why_, "capget")) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0 || failed(why_, "capset");
    }
    ~PermissionsBindTheSuperuser() {
        if (lowered_) syscall(SYS_capset, &header_, saved_);
    }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};
