#include "face_switch.h"

namespace {

FaceSwitch FromPolicy(const PolicySetting& setting)
{
    return {setting.state == PolicySwitch::On,
            setting.scope == PolicyScope::Machine ? SwitchSource::MachinePolicy : SwitchSource::UserPolicy};
}

} // namespace

FaceSwitch SwitchOf(const PolicySnapshot& policy, const CSwitchReader& lists, const std::wstring& asked,
                    const std::function<const FaceNames*()>& namesOf, bool tessellation)
{
    PolicySetting setting = policy.Setting(asked, tessellation);
    if (setting.state != PolicySwitch::NotSet)
        return FromPolicy(setting);
    const bool listed = lists.Lists(asked, tessellation);
    const FaceNames* names = policy.SetsAnySwitch() || !listed ? namesOf() : nullptr;
    if (names && (setting = policy.Setting(*names, tessellation)).state != PolicySwitch::NotSet)
        return FromPolicy(setting);
    if (listed || (names && !lists.IsEnabled(*names, tessellation)))
        return {false, SwitchSource::UserSwitch};
    return {};
}
