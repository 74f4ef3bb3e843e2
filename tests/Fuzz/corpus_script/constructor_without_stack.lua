getmetatable(testing.TestClass).__call()
