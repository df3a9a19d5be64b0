#include "download/package_fixture.h"

#include "download/integrity_check.h"
#include "support/test_folder.h"
#include "support/test_package.h"

PackageFixture MakePackageFixture(long long size, const std::string& name) {
    PackageFixture fixture;
    fixture.package = testsupport::NewFolder(name) / "VantyxAudioEditor_setup.exe";
    fixture.output = testsupport::NewFolder(name + "-target") / "__Package_VantyxAudioEditor.exe";
    testsupport::MakePackage(fixture.package, size);
    fixture.md5 = GetFileMd5(fixture.package.string());
    return fixture;
}
