// The project tree: adding, naming and listing items, specs, working folders, shares, and deleting,
// recovering and destroying.
#include "VSSTestDatabase.h"

#include <functional>

#include "platform/Files.h"

namespace {

std::vector<std::string> Names(IVSSItems* items) {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= items->Count(); ++i) names.push_back(items->Item(i)->Name());
  return names;
}

class VSSTree : public VSSTestDatabase {};

TEST_F(VSSTree, AddsProjectsAndFilesAndListsThemProjectsFirstInNameOrder) {
  auto db = Open();
  auto root = db->VSSItem("$/");
  EXPECT_EQ(root->Spec(), "$/");
  EXPECT_EQ(root->Type(), VSSITEM_PROJECT);
  auto app = root->NewSubproject("App", "the application");
  EXPECT_EQ(app->Spec(), "$/App");
  AddFile(db.Get(), "$/App", "zeta.cpp", "int z;\n");
  AddFile(db.Get(), "$/App", "Alpha.cpp", "int a;\n");
  app->NewSubproject("src", "");
  app->NewSubproject("Docs", "");

  EXPECT_EQ(Names(app->Items().Get()), (std::vector<std::string>{"Docs", "src", "Alpha.cpp", "zeta.cpp"}));
  auto file = db->VSSItem("$/app/ALPHA.CPP");   // names ignore case and keep the case they were made with
  EXPECT_EQ(file->Spec(), "$/App/Alpha.cpp");
  EXPECT_EQ(file->Name(), "Alpha.cpp");
  EXPECT_EQ(file->Type(), VSSITEM_FILE);
  EXPECT_EQ(file->VersionNumber(), 1);
  EXPECT_EQ(file->Parent()->Spec(), "$/App");
  EXPECT_FALSE(root->Parent());
  EXPECT_EQ(db->VSSItem("$/App/")->Spec(), "$/App");
  // Each child added made a version of the project.
  EXPECT_EQ(app->VersionNumber(), 5);
  EXPECT_EQ(ErrorOf([&] { app->NewSubproject("DOCS", ""); }), VSSError::AlreadyExists);
  EXPECT_EQ(ErrorOf([&] { AddFile(db.Get(), "$/App", "ZETA.cpp", "x"); }), VSSError::AlreadyExists);
  EXPECT_TRUE(Writable(PathOf("work/ZETA.cpp")));   // a refused add leaves the local file alone
  EXPECT_EQ(ErrorOf([&] { app->Items()->Item(5); }), VSSError::BadIndex);

  // Case is folded beyond ASCII.
  app->NewSubproject("Ärger", "");
  EXPECT_EQ(db->VSSItem("$/APP/äRGER")->Spec(), "$/App/Ärger");
  EXPECT_EQ(ErrorOf([&] { app->NewSubproject("ÄRGER", ""); }), VSSError::AlreadyExists);
}

TEST_F(VSSTree, BinaryIsSetByANulByteOrByFlag) {
  auto db = Open();
  EXPECT_FALSE(AddFile(db.Get(), "$/", "text.txt", "plain\n")->Binary());
  EXPECT_TRUE(AddFile(db.Get(), "$/", "image.bin", std::string("GIF\0\x01", 5))->Binary());
  EXPECT_TRUE(db->VSSItem("$/")->Add(Local("work/forced.txt", "text"), "", VSSFLAG_BINBINARY)->Binary());
}

TEST_F(VSSTree, RefusesBadSpecsAndNames) {
  auto db = Open();
  db->VSSItem("$/")->NewSubproject("App", "");
  for (const char* spec : {"$/App/../App", "$/App//x", "$/App/a:b", "$/App/a*", "$/./App", "$App", "$/App/a\x01"})
    EXPECT_EQ(ErrorOf([&] { db->VSSItem(spec); }), VSSError::InvalidName) << spec;
  auto root = db->VSSItem("$/");
  for (const char* name : {"..", "a/b", "a\\b", "", " lead", "x|y"})
    EXPECT_EQ(ErrorOf([&] { root->NewSubproject(name, ""); }), VSSError::InvalidName) << name;
  EXPECT_EQ(ErrorOf([&] { root->Add(Local("work/bad?.txt", "x"), "", 0); }), VSSError::InvalidName);
  EXPECT_EQ(ErrorOf([&] { db->VSSItem("$/Nothing"); }), VSSError::NotFound);
  EXPECT_EQ(Names(root->Items().Get()), std::vector<std::string>{"App"});
}

TEST_F(VSSTree, RelativeSpecsFollowTheCurrentProjectKeptPerUser) {
  auto alice = Open();
  alice->VSSItem("$/")->NewSubproject("App", "")->NewSubproject("src", "");
  EXPECT_EQ(alice->CurrentProject(), "$/");
  alice->SetCurrentProject("$/app");
  EXPECT_EQ(alice->CurrentProject(), "$/App");
  EXPECT_EQ(alice->VSSItem("src")->Spec(), "$/App/src");
  EXPECT_EQ(Open()->CurrentProject(), "$/App");              // kept in the database
  EXPECT_EQ(Open("Bob", "bob-pw")->CurrentProject(), "$/");   // for each user
  EXPECT_EQ(ErrorOf([&] { alice->SetCurrentProject("$/Missing"); }), VSSError::NotFound);
}

TEST_F(VSSTree, WorkingFoldersAreInheritedPerUser) {
  auto alice = Open();
  auto app = alice->VSSItem("$/")->NewSubproject("App", "");
  auto deep = app->NewSubproject("src", "")->NewSubproject("core", "");
  auto file = AddFile(alice.Get(), "$/App/src/core", "x.cpp", "x");
  EXPECT_EQ(deep->LocalSpec(), "");
  EXPECT_EQ(file->LocalSpec(), "");

  app->SetLocalSpec("/home/alice/app/");
  EXPECT_EQ(app->LocalSpec(), "/home/alice/app");
  EXPECT_EQ(deep->LocalSpec(), "/home/alice/app/src/core");
  EXPECT_EQ(file->LocalSpec(), "/home/alice/app/src/core/x.cpp");
  alice->VSSItem("$/App/src")->SetLocalSpec("/elsewhere");
  EXPECT_EQ(file->LocalSpec(), "/elsewhere/core/x.cpp");

  auto bob = Open("Bob", "bob-pw");
  EXPECT_EQ(bob->VSSItem("$/App/src/core/x.cpp")->LocalSpec(), "");
  EXPECT_EQ(ErrorOf([&] { file->SetLocalSpec("/tmp"); }), VSSError::InvalidOperation);
  alice->VSSItem("$/App/src")->SetLocalSpec("");
  EXPECT_EQ(file->LocalSpec(), "/home/alice/app/src/core/x.cpp");
}

TEST_F(VSSTree, DeleteRecoverAndDestroy) {
  auto db = Open();
  auto root = db->VSSItem("$/");
  auto app = root->NewSubproject("App", "");
  auto file = AddFile(db.Get(), "$/App", "a.cpp", "a");
  AddFile(db.Get(), "$/App", "b.cpp", "b");

  file->SetDeleted(true);
  EXPECT_TRUE(file->Deleted());
  EXPECT_EQ(ErrorOf([&] { db->VSSItem("$/App/a.cpp"); }), VSSError::NotFound);
  EXPECT_TRUE(db->VSSItem("$/App/a.cpp", true)->Deleted());
  EXPECT_EQ(Names(app->Items().Get()), std::vector<std::string>{"b.cpp"});
  EXPECT_EQ(Names(app->Items(true).Get()), (std::vector<std::string>{"a.cpp", "b.cpp"}));

  // A new file may take the deleted one's name; then the old one can't come back under it.
  auto again = AddFile(db.Get(), "$/App", "a.cpp", "new a");
  EXPECT_EQ(ErrorOf([&] { file->SetDeleted(false); }), VSSError::AlreadyExists);
  again->Destroy();
  file->SetDeleted(false);
  EXPECT_FALSE(db->VSSItem("$/App/a.cpp")->Deleted());
  EXPECT_EQ(Actions(app.Get())[0], "Recovered a.cpp");
  EXPECT_EQ(Actions(app.Get())[1], "Destroyed a.cpp");

  // A deleted project hides everything below it.
  app->SetDeleted(true);
  EXPECT_EQ(ErrorOf([&] { db->VSSItem("$/App/b.cpp"); }), VSSError::NotFound);
  app->SetDeleted(false);
  EXPECT_EQ(db->VSSItem("$/App/b.cpp")->Name(), "b.cpp");

  app->Destroy();
  EXPECT_EQ(ErrorOf([&] { db->VSSItem("$/App", true); }), VSSError::NotFound);
  EXPECT_EQ(ErrorOf([&] { file->Name(); }), VSSError::NotFound);
  EXPECT_EQ(ErrorOf([&] { root->SetDeleted(true); }), VSSError::DeleteRoot);
  EXPECT_EQ(ErrorOf([&] { root->Destroy(); }), VSSError::DeleteRoot);
}

TEST_F(VSSTree, ASharedFileHasOneHistoryAndOneSetOfCheckouts) {
  auto db = Open();
  auto root = db->VSSItem("$/");
  auto lib = root->NewSubproject("Lib", "");
  auto app = root->NewSubproject("App", "");
  auto original = AddFile(db.Get(), "$/Lib", "util.h", "v1\n");
  app->Share(original.Get(), "use the library", 0);
  auto shared = db->VSSItem("$/App/util.h");
  EXPECT_EQ(Actions(app.Get())[0], "Shared $/Lib/util.h");

  const std::string local = PathOf("work/util.h");
  shared->Checkout("", local, 0);
  EXPECT_EQ(original->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
  WriteFile("work/util.h", "v2\n");
  shared->Checkin("changed through the share", local, 0);
  EXPECT_EQ(original->VersionNumber(), 2);
  EXPECT_EQ(Actions(original.Get()), Actions(shared.Get()));

  auto links = original->Links();
  ASSERT_EQ(links->Count(), 2);
  EXPECT_EQ(links->Item(1)->Spec(), "$/Lib/util.h");
  EXPECT_EQ(links->Item(2)->Spec(), "$/App/util.h");
  EXPECT_EQ(ErrorOf([&] { app->Share(original.Get(), "", 0); }), VSSError::AlreadyShared);

  // Destroying one share leaves the other with the whole history.
  shared->Destroy();
  EXPECT_EQ(original->VersionNumber(), 2);
  EXPECT_EQ(original->Links()->Count(), 1);
}

TEST_F(VSSTree, SharingAProjectSharesItsFilesAndRecursesOnlyWhenAsked) {
  auto db = Open();
  auto root = db->VSSItem("$/");
  auto lib = root->NewSubproject("Lib", "");
  lib->NewSubproject("sub", "");
  AddFile(db.Get(), "$/Lib", "a.h", "a");
  AddFile(db.Get(), "$/Lib/sub", "b.h", "b");
  auto flat = root->NewSubproject("Flat", "");
  auto deep = root->NewSubproject("Deep", "");
  flat->Share(lib.Get(), "", 0);
  deep->Share(lib.Get(), "", VSSFLAG_RECURSYES);
  EXPECT_EQ(Names(db->VSSItem("$/Flat/Lib")->Items().Get()), std::vector<std::string>{"a.h"});
  EXPECT_EQ(db->VSSItem("$/Deep/Lib/sub/b.h")->Links()->Count(), 2);
  EXPECT_EQ(ErrorOf([&] { db->VSSItem("$/Lib/sub")->Share(lib.Get(), "", 0); }), VSSError::ShareUnderDescendant);
  EXPECT_EQ(ErrorOf([&] { lib->Share(lib.Get(), "", 0); }), VSSError::ShareUnderDescendant);
}

// A project's listing is kept between walks; every change, made in this session or committed by
// another, shows in the next one: names, the latest content IsDifferent compares with, and the
// working folder local paths are made from.
TEST_F(VSSTree, AListingShowsEveryChangeMadeHereOrElsewhere) {
  auto alice = Open();
  auto bob = Open("Bob", "bob-pw");
  auto app = alice->VSSItem("$/")->NewSubproject("App", "");
  app->SetLocalSpec(PathOf("work"));
  AddFile(alice.Get(), "$/App", "a.cpp", "one\n");
  const std::string local = Local("work/a.cpp", "one\n");
  auto listed = [&](const std::string& name) {
    VSSPtr<IVSSItems> items = app->Items();
    for (int32_t i = 1; i <= items->Count(); ++i)
      if (items->Item(i)->Name() == name) return items->Item(i);
    return VSSPtr<IVSSItem>();
  };
  struct Step {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> names;
    bool aDiffers;
    std::string aLocal;
  };
  const std::vector<Step> steps{
      {"nothing yet", [] {}, {"a.cpp"}, false, local},
      {"Bob adds b.cpp", [&] { AddFile(bob.Get(), "$/App", "b.cpp", "b"); }, {"a.cpp", "b.cpp"}, false, local},
      {"Alice adds c.cpp", [&] { AddFile(alice.Get(), "$/App", "c.cpp", "c"); }, {"a.cpp", "b.cpp", "c.cpp"}, false, local},
      {"Bob checks in a.cpp",
       [&] { Revise(bob->VSSItem("$/App/a.cpp").Get(), Local("bob/a.cpp", "one\n"), "two\n"); },
       {"a.cpp", "b.cpp", "c.cpp"}, true, local},
      {"Bob deletes b.cpp", [&] { bob->VSSItem("$/App/b.cpp")->SetDeleted(true); }, {"a.cpp", "c.cpp"}, true, local},
      {"Alice moves her working folder", [&] { app->SetLocalSpec("/elsewhere"); }, {"a.cpp", "c.cpp"}, true,
       "/elsewhere/a.cpp"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    VSSPtr<IVSSItems> items = app->Items();
    EXPECT_EQ(Names(items.Get()), step.names);
    EXPECT_EQ(listed("a.cpp")->IsDifferent(local), step.aDiffers);
    EXPECT_EQ(listed("a.cpp")->LocalSpec(), step.aLocal);
  }
}

} // namespace
