namespace orvelle::test {}
